#pragma once
// What both top-level windows share: their window class and creation at the
// model's outer place, and the message procedure that gives a message to the
// window first, then to its form view, then to Windows. The model's outer
// size is the design's at 100 %; on a denser display the client area grows by
// the display scale and the frame is the system's frame for that scale.
#include <windows.h>

#include <memory>

#include "core/model/form_model.h"
#include "views/win32/form_view.h"

namespace wexmora::win32 {

class TopLevelWindow {
 public:
  virtual ~TopLevelWindow();
  HWND handle() const { return window_; }

 protected:
  // Registers `className` once (with the program icon) and makes the window
  // at the form's outer place and size, with the form's caption.
  void createWindow(const wchar_t* className, DWORD style, const Form& form, HWND owner);
  // The outer size of the form on the window's display.
  SIZE outerSize(const Form& form) const;
  // The window's own handling; false lets the view and Windows handle it.
  virtual bool ownMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

  HWND window_ = nullptr;
  std::unique_ptr<FormView> view_;

 private:
  void changeDpi(int dpi, const RECT& suggested);

  DWORD style_ = 0;
  const Form* form_ = nullptr;
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace wexmora::win32
