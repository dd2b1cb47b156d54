#pragma once
// The main window TForm15 on screen. It owns no state of its own beyond the
// screenshot dialog's settings: every event goes to the model's handlers,
// then the widgets are synchronised from the model again.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/model/form_model.h"
#include "core/pass/main_window_events.h"
#include "core/window/screenshot.h"
#include "platform/settings_store.h"
#include "platform/url_opener.h"
#include "views/qt/form_view.h"

namespace wexmora::qt {

class AboutWindow;

class MainWindow : public QWidget, private MainWindowView {
  Q_OBJECT
 public:
  MainWindow(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings);
  ~MainWindow() override;

  void setAboutWindow(AboutWindow* about) {
    makeAbout_ = [about] { return about; };
  }
  // The about dialog's window made when it is first needed, so that the
  // first paint of this window does not wait for a window that starts hidden.
  void setAboutWindow(std::function<AboutWindow*()> make) { makeAbout_ = std::move(make); }
  // The dialog the screenshot asks with; nullptr restores the Qt file dialog.
  void setSaveDialogRunner(SaveDialogRunner* runner) { saveDialogRunner_ = runner; }
  // How errors reach the user; by default an error box captioned with the
  // application title.
  void setErrorReporter(std::function<void(const QString&)> reporter) { reportError_ = std::move(reporter); }

  // Every widget, the caption, the client size and the place from the model.
  void syncFromModel();
  // Shows the error that stopped the identification pass, once.
  void reportPassError();
  // SpeedButton3Click: save dialog, capture, JPEG file.
  void takeScreenshot();

  QWidget* control(std::string_view name) const { return view_->widget(name); }
  SavePictureDialog& saveDialog() { return saveDialog_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void connectControls();
  void positionToModel();

  // What the event dispatcher asks of this window.
  void syncControls() override { view_->sync(); }
  void syncWindow() override { syncFromModel(); }
  void showError(const std::string& message) override { reportError_(QString::fromStdString(message)); }
  void closeWindow() override { close(); }
  void placeToModel() override { positionToModel(); }
  void prepareAboutWindow() override;
  void syncAboutWindow() override;
  void saveScreenshot() override { takeScreenshot(); }

  TForm15& form_;
  platform::UrlOpener& opener_;
  platform::SettingsStore& settings_;
  std::unique_ptr<FormView> view_;
  MainWindowEvents events_;
  std::function<AboutWindow*()> makeAbout_;
  SaveDialogRunner* saveDialogRunner_ = nullptr;
  SavePictureDialog saveDialog_;
  std::function<void(const QString&)> reportError_;
  std::string pressedControl_;
  bool syncing_ = false;
};

}  // namespace wexmora::qt
