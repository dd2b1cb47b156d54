#include "ui/qt/main_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <stdexcept>

#include "base/site.h"
#include "pass/handlers.h"
#include "ui/pictures/pictures.h"
#include "ui/qt/about_window.h"
#include "ui/qt/save_dialog.h"
#include "ui/qt/window_frame.h"
#include "ui/window_events.h"

namespace wexmora::qt {

MainWindow::MainWindow(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form),
      opener_(opener),
      settings_(settings) {
  setWindowIcon(pictures::programIcon());
  view_ = std::make_unique<FormView>(form_, this, false, &form_);
  reportError_ = [this](const QString& message) {
    QMessageBox::critical(this, QString::fromStdString(site::applicationTitle()), message);
  };
  for (const HoverShift& shift : hoverShifts()) control(shift.over)->setMouseTracking(true);
  for (const Control& c : form_.controls()) control(c.name)->installEventFilter(this);
  connectControls();
  syncFromModel();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
  const auto clicked = [this](const char* name, auto handler) {
    if (auto* button = qobject_cast<QAbstractButton*>(control(name)))
      connect(button, &QAbstractButton::clicked, this, [this, handler] {
        handler();
        syncFromModel();
      });
  };
  clicked("SpeedButton5", [this] { SpeedButton5Click(form_); });
  clicked("Button3", [this] { Button3Click(form_); });
  clicked("Button2", [this] { close(); });
  clicked("SpeedButton4", [this] { toggleAbout(); });
  clicked("SpeedButton3", [this] { takeScreenshot(); });
  connect(static_cast<QComboBox*>(control("ComboBox1")), &QComboBox::activated, this,
          [this](int index) { chooseLanguage(index); });
  connect(static_cast<QLineEdit*>(control("Edit18")), &QLineEdit::textEdited, this,
          [this](const QString& text) { form_["Edit18"].text = text.toStdString(); });
}

void MainWindow::syncFromModel() {
  syncing_ = true;
  setWindowTitle(QString::fromStdString(form_.caption));
  setFixedSize(form_.width - 2 * TForm15::kFrameWidth, form_.height - TForm15::kTitleHeight - TForm15::kFrameWidth);
  move(form_.left, form_.top);
  view_->sync();
  syncing_ = false;
}

void MainWindow::reportPassError() {
  if (passErrorShown_ || form_.passError.empty()) return;
  passErrorShown_ = true;
  reportError_(QString::fromStdString(form_.passError));
}

void MainWindow::runGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    reportError_(QString::fromStdString(error.what()));
  }
  syncFromModel();
}

void MainWindow::toggleAbout() {
  if (!form_.aboutDialog) return;
  AboutWindow* about = makeAbout_ ? makeAbout_() : nullptr;  // made while the dialog is still hidden
  positionToModel();
  SpeedButton4Click(form_, *form_.aboutDialog);
  if (about) about->syncFromModel();
}

void MainWindow::chooseLanguage(int index) {
  runGuarded([&] { pickLanguage(form_, index, settings_); });
}

void MainWindow::takeScreenshot() {
  positionToModel();
  QtSaveDialogRunner fileDialog(this);
  FrameCapture capture(*this);
  runGuarded(
      [&] { SpeedButton3Click(form_, saveDialog_, saveDialogRunner_ ? *saveDialogRunner_ : fileDialog, capture); });
}

void MainWindow::positionToModel() {
  if (!isVisible()) return;
  form_.left = frameGeometry().x();
  form_.top = frameGeometry().y();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!syncing_) positionToModel();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const std::string name = view_->nameOf(watched);
  if (name.empty()) return QWidget::eventFilter(watched, event);
  auto* widget = static_cast<QWidget*>(watched);

  const auto type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  // Only the control right under the pointer handles a mouse event; the
  // event's way on to the parents must not reach the frames behind it.
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint position = mouse->position().toPoint();
  if (widget->childAt(position)) return QWidget::eventFilter(watched, event);

  if (type == QEvent::MouseMove) {
    if (widget->hasMouseTracking() && MouseMoveOver(form_, name)) view_->sync();
  } else if (type == QEvent::MouseButtonPress) {
    pressedControl_ = name;
    if (name == "Label11") {
      Label11MouseDown(form_);
      view_->sync();
    }
  } else {
    const bool click =
        mouse->button() == Qt::LeftButton && pressedControl_ == name && widget->rect().contains(position);
    pressedControl_.clear();
    if (name == "Label11") {
      // The screenshot runs before the release handler: the caption is
      // captured in its pressed place.
      if (click) takeScreenshot();
      Label11MouseUp(form_);
      view_->sync();
      return true;
    }
    if (click)
      for (const PictureClick& entry : pictureClicks())
        if (name == entry.control) runGuarded([&] { entry.handler(form_, opener_); });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wexmora::qt
