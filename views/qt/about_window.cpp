#include "views/qt/about_window.h"

#include <QCloseEvent>
#include <QDate>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>

#include "core/model/control_names.h"
#include "core/window/about.h"
#include "views/pictures/pictures.h"

namespace wexmora::qt {

std::string systemShortDate() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

AboutWindow::AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener)
    : QWidget(nullptr, Qt::Window), about_(about), main_(main), opener_(opener) {
  setWindowIcon(pictures::programIcon());
  view_ = std::make_unique<FormView>(about_, this, true);
  resize(about_.width - 2 * TForm15::kFrameWidth, about_.height - TForm15::kTitleHeight - TForm15::kFrameWidth);
  setAttribute(Qt::WA_QuitOnClose, false);
  connect(static_cast<QPushButton*>(control(about_controls::kClose)), &QPushButton::clicked, this, [this] {
    Button1Click(about_);
    syncFromModel();
  });
  connect(static_cast<QPushButton*>(control(about_controls::kSiteButton)), &QPushButton::clicked, this,
          [this] { Button2Click(about_, opener_); });
  control(about_controls::kSiteLink)->installEventFilter(this);
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

void AboutWindow::activate() {
  FormActivate(about_, main_);
  setWindowTitle(QString::fromStdString(about_.caption));
  view_->sync();
}

bool AboutWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::Show || (event->type() == QEvent::WindowActivate && isVisible())) activate();
  return handled;
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  // The close box hides the dialog, as its close button does.
  Button1Click(about_);
  QWidget::closeEvent(event);
}

void AboutWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!syncing_ && isVisible()) {
    about_.left = frameGeometry().x();
    about_.top = frameGeometry().y();
  }
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control(about_controls::kSiteLink) && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        control(about_controls::kSiteLink)->rect().contains(mouse->position().toPoint()))
      Button2Click(about_, opener_);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wexmora::qt
