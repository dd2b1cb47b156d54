#include "core/pass/main_window_events.h"

#include <exception>

#include "core/model/control_names.h"
#include "core/pass/handlers.h"

namespace wexmora {

using namespace main_controls;

MainWindowEvents::MainWindowEvents(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings,
                                   MainWindowView& view)
    : form_(form), opener_(opener), settings_(settings), view_(view) {}

// Every event runs guarded: an error is shown in the error box and the
// program goes on; nothing a handler throws reaches the window system's
// event loop, which would end the program.
template <class Handler>
void MainWindowEvents::guarded(Handler handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    view_.showError(error.what());
  }
}

void MainWindowEvents::mouseMove(std::string_view control) {
  guarded([&] {
    if (MouseMoveOver(form_, control)) view_.syncControls();
  });
}

void MainWindowEvents::mouseDown(std::string_view control) {
  if (control != kScreenshotCaption) return;
  guarded([&] {
    Label11MouseDown(form_);
    view_.syncControls();
  });
}

bool MainWindowEvents::mouseUp(std::string_view control, bool click) {
  if (control == kScreenshotCaption) {
    guarded([&] {
      // The screenshot runs before the release handler: the caption is
      // captured in its pressed place.
      if (click) view_.saveScreenshot();
      Label11MouseUp(form_);
      view_.syncControls();
    });
    return true;
  }
  if (click) this->click(control);
  return false;
}

void MainWindowEvents::click(std::string_view control) {
  guarded([&] {
    if (control == kIdentityButton) {
      SpeedButton5Click(form_);
      view_.syncControls();
    } else if (control == kIdentityHide) {
      Button3Click(form_);
      view_.syncControls();
    } else if (control == kClose) {
      view_.closeWindow();
    } else if (control == kAboutButton) {
      toggleAbout();
    } else if (control == kScreenshotButton) {
      view_.saveScreenshot();
    } else {
      for (const PictureClick& entry : pictureClicks())
        if (control == entry.control) {
          guarded([&] { entry.handler(form_, opener_); });
          view_.syncWindow();
        }
    }
  });
}

// The dialog is placed from the main window's place on the screen.
void MainWindowEvents::toggleAbout() {
  if (!form_.aboutDialog) return;
  view_.prepareAboutWindow();
  view_.placeToModel();
  SpeedButton4Click(form_, *form_.aboutDialog);
  view_.syncAboutWindow();
}

void MainWindowEvents::pickLanguage(int index) {
  // The texts already switched stay switched when saving the choice fails.
  guarded([&] { wexmora::pickLanguage(form_, index, settings_); });
  guarded([&] { view_.syncWindow(); });
}

bool MainWindowEvents::escape() {
  if (!form_[kIdentityPanel].visible) return false;
  click(kIdentityHide);
  return true;
}

void MainWindowEvents::showPassError() {
  if (passErrorShown_ || form_.passError.empty()) return;
  passErrorShown_ = true;
  view_.showError(form_.passError);
}

void MainWindowEvents::run(const std::function<void()>& job) {
  guarded(job);
  guarded([&] { view_.syncWindow(); });
}

void MainWindowEvents::textEdited(std::string_view control, std::string text) {
  guarded([&] {
    if (control == kProductLine) form_[kProductLine].text = std::move(text);
  });
}

}  // namespace wexmora
