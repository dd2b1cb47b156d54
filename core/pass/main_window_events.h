#pragma once
// The main window's events, routed once for every view. A view reports what
// the user did to which control; the dispatcher runs the model's handler for
// it and then asks the view to redraw, or to do one of the jobs only a view
// can do (close the window, show the about dialog's window, take the
// screenshot, show an error).
#include <functional>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"

namespace wexmora {

// What the dispatcher asks of the view that receives the events.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void syncControls() = 0;  // the controls again from the model
  virtual void syncWindow() = 0;    // caption, size and place, then the controls
  virtual void showError(const std::string& message) = 0;
  virtual void closeWindow() = 0;
  virtual void placeToModel() = 0;  // the window's place on the screen into the model
  // Before the about dialog is toggled: a view that makes the dialog's window
  // when it is first needed makes it now, while it is still hidden.
  virtual void prepareAboutWindow() {}
  virtual void syncAboutWindow() = 0;  // the about dialog's window from its model
  virtual void saveScreenshot() = 0;   // the screenshot button's handler with the view's dialog and capture
};

class MainWindowEvents {
 public:
  MainWindowEvents(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings, MainWindowView& view);

  // The pointer moved over `control`: its mouse-move handler, if it has one.
  void mouseMove(std::string_view control);
  // A mouse button went down on `control`.
  void mouseDown(std::string_view control);
  // A mouse button went up on `control`; `click` when it was the left button,
  // released over the control it went down on. A click goes on to click().
  // Returns true when the control's release handler took the event.
  bool mouseUp(std::string_view control, bool click);
  // A click on a button, a tool button, a picture or a caption.
  void click(std::string_view control);
  // The user picked item `index` of the language selector.
  void pickLanguage(int index);
  // The user typed into an editable field; the model keeps what was typed.
  void textEdited(std::string_view control, std::string text);
  // Escape hides the family/model/stepping panel, the one thing the window
  // shows on demand; false when it is hidden and the key is the view's.
  bool escape();
  // Shows the error that stopped the identification pass, once.
  void showPassError();
  // Runs a job of the view's own (the screenshot) as the events run:
  // guarded, then the window redrawn.
  void run(const std::function<void()>& job);

 private:
  template <class Handler>
  void guarded(Handler handler);
  void toggleAbout();

  TForm15& form_;
  platform::UrlOpener& opener_;
  platform::SettingsStore& settings_;
  MainWindowView& view_;
  bool passErrorShown_ = false;
};

}  // namespace wexmora
