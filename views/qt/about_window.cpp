#include "views/qt/about_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>

#include "core/model/control_names.h"
#include "views/pictures/pictures.h"
#include "views/qt/accessibility.h"

namespace wexmora::qt {

std::string systemShortDate() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

AboutWindow::AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener)
    : QWidget(nullptr, Qt::Window), about_(about), events_(about, main, opener, *this) {
  setWindowIcon(pictures::programIcon());
  view_ = std::make_unique<FormView>(about_, this, true);
  view_->setAccess(aboutDialogNames(), aboutDialogFocusOrder(), main);
  resize(about_.width - 2 * TForm15::kFrameWidth, about_.height - TForm15::kTitleHeight - TForm15::kFrameWidth);
  setAttribute(Qt::WA_QuitOnClose, false);
  // Buttons report their clicks through clicked(), so that the keyboard
  // works them as well; the other controls through the event filter.
  for (const Control& c : about_.controls()) {
    const std::string name = c.name;
    if (auto* button = qobject_cast<QAbstractButton*>(control(name)))
      connect(button, &QAbstractButton::clicked, this, [this, name] { events_.click(name); });
    else
      control(name)->installEventFilter(this);
  }
  static_cast<QPushButton*>(control(about_controls::kClose))->setFocus();
  syncFromModel();
}

void AboutWindow::syncFromModel() {
  syncing_ = true;
  move(about_.left, about_.top);
  setVisible(about_.visible);
  if (about_.visible) {
    raise();
    activateWindow();
  }
  syncing_ = false;
  setWindowTitle(QString::fromStdString(about_.caption));
  view_->sync();
}

void AboutWindow::syncTexts() {
  setWindowTitle(QString::fromStdString(about_.caption));
  view_->sync();
}

bool AboutWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::Show || (event->type() == QEvent::WindowActivate && isVisible())) events_.activated();
  return handled;
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  events_.closeBox();
  QWidget::closeEvent(event);
}

void AboutWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!syncing_ && isVisible()) {
    about_.left = frameGeometry().x();
    about_.top = frameGeometry().y();
  }
}

// Escape hides the dialog, as its close box does.
void AboutWindow::keyPressEvent(QKeyEvent* event) {
  if (isEscapeKey(event)) {
    events_.closeBox();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
  const std::string name = view_->nameOf(watched);
  if (!name.empty() && paintWithFocusFrame(control(name), event)) return true;
  if (!name.empty() && isPressKey(event) && isKeyboardAction(control(name))) {
    events_.click(name);
    return true;
  }
  if (!name.empty() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && control(name)->rect().contains(mouse->position().toPoint()))
      events_.click(name);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wexmora::qt
