#pragma once
// What the Qt widgets tell assistive technology beyond Qt's own: a linked
// picture or caption (a QLabel the user works like a button) is a link that
// offers a press action, and the keyboard presses it as the mouse does.
#include <QEvent>
#include <QWidget>

namespace wexmora::qt {

// Makes `label` a keyboard action: reachable by Tab, a link to assistive
// technology, pressed by Enter and Space (isPressKey) and through the press
// action, which arrives as a Space key. Installs the accessible factory on
// first use.
void makeKeyboardAction(QWidget* label);

bool isKeyboardAction(const QWidget* widget);

// Enter, Return or Space pressed without modifiers.
bool isPressKey(const QEvent* event);
// Escape pressed.
bool isEscapeKey(const QEvent* event);

// Answers the paint event of a focused keyboard action: the widget's own
// painting, then a dotted focus frame. False for any other event or widget.
bool paintWithFocusFrame(QWidget* widget, QEvent* event);

}  // namespace wexmora::qt
