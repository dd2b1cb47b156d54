#pragma once
// Shows a window model with Win32 and reports what the user does to it, the
// way the form designer's controls behave: edit fields, the memo, the
// drop-down list and push buttons are windows of their own; frames (group
// boxes, the panel) are windows that paint their background, border and
// caption and the labels, pictures and tool buttons in them, which have no
// window (painting.h, hit_test.h). The view decides nothing: after every
// event the window calls sync() and everything takes the model's state again.
#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "core/window/accessible_names.h"
#include "core/window/control_text.h"
#include "core/window/display_scale.h"
#include "views/win32/tooltips.h"

namespace wexmora::win32 {

// What the user did, by component name. `control` is the windowless control
// under the pointer, or the frame whose background it is over ("" for the
// window's client area itself).
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void mouseMove(const std::string& control) = 0;
  // button: 0 left, 1 right, 2 middle.
  virtual void mouseDown(const std::string& control, int button) = 0;
  // `control` is where the button went down; a click is the left button
  // released over that same control.
  virtual void mouseUp(const std::string& control, int button, bool click) = 0;
  // A notification (BN_CLICKED, CBN_SELCHANGE, EN_CHANGE, ...) of a control
  // with a window.
  virtual void command(const std::string& control, WORD notification) = 0;
};

class FormView {
 public:
  // Makes the controls of `form` in `root`, the client area of a top-level
  // window whose procedure passes its messages to handle() first.
  // `selector`: the main window, whose language selector this form shows.
  FormView(Form& form, HWND root, FormEvents& events, bool stretchPictures, const TForm15* selector = nullptr);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  // The window of a control with one (edits, buttons, frames), else nullptr.
  HWND window(std::string_view name) const;
  // Where a control stands in its parent frame at the display scale, labels
  // grown to their text.
  ControlRect rectOf(const Control& control) const;
  void sync();
  // The window moved to a display of another scale: fonts, sizes and
  // pictures for the new one.
  void setDpi(int dpi);
  // What a screen reader hears and where Tab goes. Each named control takes
  // its name in the language `main` shows, through the system's annotation
  // of MSAA and UI Automation properties, at every sync(). A windowless
  // action (tool button, linked picture or caption) gets a stand-in: a window
  // without area that takes the focus in its place, is pressed by Enter and
  // Space, and has its frame draw a focus frame around the control. The
  // windows then take `focusOrder`.
  void setAccess(std::span<const AccessibleName> names, std::span<const char* const> focusOrder, const TForm15& main);

  // Painting, colours, mouse and cursor messages of the root and the frames.
  // True when the message was handled; `result` is then its answer.
  bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct Windowed {
    HWND handle = nullptr;
    ControlRect rect{};
    bool visible = false;
  };

  void create(const Control& control);
  void applyScale(const Control& control, HWND handle);
  void addTools();
  void syncNames();
  void orderFocus(std::span<const char* const> focusOrder);
  HWND accessibleWindow(std::string_view name) const;
  static LRESULT CALLBACK standInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::string frameName(HWND frame) const;
  const Control* controlAt(HWND frame, POINT point) const;
  const Control* controlOf(HWND window) const;
  bool setCursor(HWND over, HWND frame);
  static LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Form& form_;
  HWND root_;
  FormEvents& events_;
  bool stretchPictures_;
  const TForm15* selector_;
  DisplayScale scale_;
  Tooltips tooltips_;
  HBRUSH cream_ = nullptr;
  std::map<std::string, Windowed, std::less<>> windows_;
  std::map<HWND, std::string> names_;
  std::span<const AccessibleName> accessNames_;
  const TForm15* languageOf_ = nullptr;
  IUnknown* annotations_ = nullptr;                    // the system's IAccPropServices, once names are set
  std::map<HWND, std::wstring> annotatedNames_;        // the name each window was given last
  std::map<std::string, HWND, std::less<>> standIns_;  // windowless action -> its focus stand-in
  std::map<HWND, std::string> standInNames_;
  std::string focused_;  // the windowless action whose stand-in has the focus
  std::string pressed_;  // where a mouse button went down
  HWND pressedFrame_ = nullptr;
  bool settingText_ = false;  // an edit's text is being set by sync()
  HWND editing_ = nullptr;    // the edit the keyboard is in
};

}  // namespace wexmora::win32
