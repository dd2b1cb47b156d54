#include "views/qt/main_window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <stdexcept>

#include "base/site.h"
#include "core/model/control_names.h"
#include "core/pass/handlers.h"
#include "views/pictures/pictures.h"
#include "views/qt/about_window.h"
#include "views/qt/accessibility.h"
#include "views/qt/save_dialog.h"
#include "views/qt/window_frame.h"

namespace wexmora::qt {

MainWindow::MainWindow(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form),
      opener_(opener),
      settings_(settings),
      events_(form, opener, settings, *this) {
  setWindowIcon(pictures::programIcon());
  view_ = std::make_unique<FormView>(form_, this, false, &form_);
  view_->setAccess(mainWindowNames(), mainWindowFocusOrder(), form_);
  reportError_ = [this](const QString& message) {
    QMessageBox::critical(this, QString::fromStdString(site::applicationTitle()), message);
  };
  for (const HoverShift& shift : hoverShifts()) control(shift.over)->setMouseTracking(true);
  for (const Control& c : form_.controls()) control(c.name)->installEventFilter(this);
  connectControls();
  syncFromModel();
}

MainWindow::~MainWindow() = default;

// Buttons, the language selector and typing reach the dispatcher through the
// widgets' own signals, so that the keyboard works them as well.
void MainWindow::connectControls() {
  for (const Control& c : form_.controls()) {
    const std::string name = c.name;
    QWidget* widget = control(name);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      connect(button, &QAbstractButton::clicked, this, [this, name] { events_.click(name); });
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
      connect(combo, &QComboBox::activated, this, [this](int index) { events_.pickLanguage(index); });
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
      connect(edit, &QLineEdit::textEdited, this,
              [this, name](const QString& text) { events_.textEdited(name, text.toStdString()); });
  }
}

void MainWindow::syncFromModel() {
  syncing_ = true;
  setWindowTitle(QString::fromStdString(form_.caption));
  setFixedSize(form_.width - 2 * TForm15::kFrameWidth, form_.height - TForm15::kTitleHeight - TForm15::kFrameWidth);
  move(form_.left, form_.top);
  view_->sync();
  syncing_ = false;
}

void MainWindow::reportPassError() { events_.showPassError(); }

void MainWindow::prepareAboutWindow() {
  if (makeAbout_) makeAbout_();
}

void MainWindow::syncAboutWindow() {
  if (AboutWindow* about = makeAbout_ ? makeAbout_() : nullptr) about->syncFromModel();
}

void MainWindow::takeScreenshot() {
  positionToModel();
  QtSaveDialogRunner fileDialog(this);
  FrameCapture capture(*this);
  events_.run(
      [&] { SpeedButton3Click(form_, saveDialog_, saveDialogRunner_ ? *saveDialogRunner_ : fileDialog, capture); });
}

void MainWindow::positionToModel() {
  if (!isVisible()) return;
  form_.left = frameGeometry().x();
  form_.top = frameGeometry().y();
}

// Escape hides the family/model/stepping panel, the one thing the window
// shows on demand.
void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (isEscapeKey(event) && events_.escape()) return;
  QWidget::keyPressEvent(event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!syncing_) positionToModel();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const std::string name = view_->nameOf(watched);
  if (name.empty()) return QWidget::eventFilter(watched, event);
  auto* widget = static_cast<QWidget*>(watched);
  if (paintWithFocusFrame(widget, event)) return true;
  // A field the keyboard enters shows its value whole, one it leaves the
  // form that fits again.
  if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && qobject_cast<QLineEdit*>(widget))
    view_->sync();
  // The keyboard presses a linked picture as a click does, and a tool
  // button with Enter as well as with Space.
  if (isPressKey(event)) {
    if (isKeyboardAction(widget)) {
      events_.click(name);
      return true;
    }
    if (auto* tool = qobject_cast<QToolButton*>(widget);
        tool && static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space) {
      tool->click();
      return true;
    }
  }

  const auto type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  // Only the control right under the pointer handles a mouse event; the
  // event's way on to the parents must not reach the frames behind it.
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint position = mouse->position().toPoint();
  if (widget->childAt(position)) return QWidget::eventFilter(watched, event);

  if (type == QEvent::MouseMove) {
    if (widget->hasMouseTracking()) events_.mouseMove(name);
  } else if (type == QEvent::MouseButtonPress) {
    pressedControl_ = name;
    events_.mouseDown(name);
  } else {
    // Buttons report their clicks through clicked() (connectControls).
    const bool click = !qobject_cast<QAbstractButton*>(widget) && mouse->button() == Qt::LeftButton &&
                       pressedControl_ == name && widget->rect().contains(position);
    pressedControl_.clear();
    if (events_.mouseUp(name, click)) return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wexmora::qt
