#pragma once
// The about dialog TForm4 on screen: not modal, hidden and shown by the main
// window's about button, hidden by its close button and close box. Its
// events go to the dispatcher both views share (about_dialog_events.h).
#include <QWidget>
#include <memory>
#include <string>

#include "core/model/form_model.h"
#include "core/pass/about_dialog_events.h"
#include "platform/url_opener.h"
#include "views/qt/form_view.h"

namespace wexmora::qt {

// Today's date in the system's short date format, for the year logic.
std::string systemShortDate();

class AboutWindow : public QWidget, private AboutDialogView {
  Q_OBJECT
 public:
  AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener);

  // Visibility and place from the model, then the controls.
  void syncFromModel();
  QWidget* control(std::string_view name) const { return view_->widget(name); }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void syncTexts() override;
  void syncWindow() override { syncFromModel(); }

  TForm4& about_;
  std::unique_ptr<FormView> view_;
  AboutDialogEvents events_;
  bool syncing_ = false;
};

}  // namespace wexmora::qt
