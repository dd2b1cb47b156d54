#pragma once
// The main window TForm15 on screen. It owns no state of its own beyond the
// screenshot dialog's settings: every event goes to the model's handlers,
// then the controls are synchronised from the model again.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/model/form_model.h"
#include "core/pass/main_window_events.h"
#include "core/window/screenshot.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"
#include "views/win32/form_view.h"
#include "views/win32/top_level.h"

namespace wexmora::win32 {

class AboutWindow;

class MainWindow : public FormEvents, public TopLevelWindow, private MainWindowView {
 public:
  MainWindow(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings);

  void setAboutWindow(AboutWindow* about) { about_ = about; }
  void show();
  // Shows the error that stopped the identification pass, once.
  void reportPassError();
  // Caption, outer size and place, then every control, from the model.
  void syncFromModel();

  void mouseMove(const std::string& control) override;
  void mouseDown(const std::string& control, int button) override;
  void mouseUp(const std::string& control, int button, bool click) override;
  void command(const std::string& control, WORD notification) override;

 private:
  bool ownMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void takeScreenshot();
  void positionToModel();
  void keepCentreAtScale();
  void reportError(const std::string& message);

  // What the event dispatcher asks of this window.
  void syncControls() override { view_->sync(); }
  void syncWindow() override { syncFromModel(); }
  void showError(const std::string& message) override { reportError(message); }
  void closeWindow() override { PostMessageW(window_, WM_CLOSE, 0, 0); }
  void placeToModel() override { positionToModel(); }
  void syncAboutWindow() override;
  void saveScreenshot() override { takeScreenshot(); }

  TForm15& form_;
  platform::UrlOpener& opener_;
  platform::SettingsStore& settings_;
  MainWindowEvents events_;
  AboutWindow* about_ = nullptr;
  SavePictureDialog saveDialog_;
  bool syncing_ = false;
};

}  // namespace wexmora::win32
