#include "views/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

namespace wexmora::qt {
namespace {

constexpr const char* kActionProperty = "wexmoraKeyboardAction";

class ActionAccessible : public QAccessibleWidget {
 public:
  explicit ActionAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Link) {}

  QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }

  void doAction(const QString& action) override {
    if (action != pressAction()) {
      QAccessibleWidget::doAction(action);
      return;
    }
    // The same way as the keyboard, after the reader's call has returned.
    QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
  }
};

QAccessibleInterface* actionFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  return widget && isKeyboardAction(widget) ? new ActionAccessible(widget) : nullptr;
}

}  // namespace

void makeKeyboardAction(QWidget* label) {
  static const bool installed = [] {
    QAccessible::installFactory(actionFactory);
    return true;
  }();
  (void)installed;
  label->setProperty(kActionProperty, true);
  // Tab reaches it; a click does not take the focus, so the window looks as
  // designed until the keyboard is used.
  label->setFocusPolicy(Qt::TabFocus);
}

bool isKeyboardAction(const QWidget* widget) { return widget->property(kActionProperty).toBool(); }

bool isPressKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  const bool press = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
  return press && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isEscapeKey(const QEvent* event) {
  return event->type() == QEvent::KeyPress && static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

bool paintWithFocusFrame(QWidget* widget, QEvent* event) {
  if (event->type() != QEvent::Paint || !widget->hasFocus() || !isKeyboardAction(widget)) return false;
  static_cast<QObject*>(widget)->event(event);
  QPainter painter(widget);
  QPen pen(widget->palette().color(QPalette::Highlight));
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
  return true;
}

}  // namespace wexmora::qt
