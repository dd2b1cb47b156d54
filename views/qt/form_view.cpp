#include "views/qt/form_view.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <cmath>

#include "core/model/control_names.h"
#include "core/window/control_text.h"
#include "core/window/localisation.h"
#include "views/pictures/pictures.h"
#include "views/qt/accessibility.h"
#include "views/qt/fonts.h"

namespace wexmora::qt {
namespace {

const QColor kCream(kCreamBackground.red, kCreamBackground.green, kCreamBackground.blue);

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Captions are single lines (core/window/control_text.h).
QString captionText(const std::string& text) { return qs(captionLine(text)); }

Qt::CursorShape cursorOf(CursorShape shape) {
  switch (shape) {
    case CursorShape::Hand:
      return Qt::PointingHandCursor;
    case CursorShape::Help:
      return Qt::WhatsThisCursor;
    case CursorShape::IBeam:
      return Qt::IBeamCursor;
    case CursorShape::Arrow:
    case CursorShape::Default:
      break;
  }
  return Qt::ArrowCursor;
}

QWidget* makeWidget(const Control& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::Image: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setMargin(0);
      label->setAutoFillBackground(!control.style.transparent && control.kind == ControlKind::Label);
      return label;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setReadOnly(control.style.readOnly);
      return edit;
    }
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setReadOnly(control.style.readOnly);
      memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      memo->setTabChangesFocus(true);  // Tab goes on to the next control, as from a field
      return memo;
    }
    case ControlKind::ComboBox:
      return new QComboBox(parent);
    case ControlKind::Button:
      return new QPushButton(parent);
    case ControlKind::SpeedButton: {
      auto* button = new QToolButton(parent);
      button->setFocusPolicy(Qt::NoFocus);
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
      return button;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(parent);
    case ControlKind::Panel: {
      auto* panel = new QFrame(parent);
      panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
      panel->setLineWidth(1);
      panel->setAutoFillBackground(true);
      return panel;
    }
  }
  return new QWidget(parent);
}

void style(QWidget* widget, const Control& control) {
  widget->setObjectName(qs(control.name));
  // Only a font the widget does not inherit already is set: any font change
  // makes a QComboBox build its drop-down list (a list view in a popup) at
  // once, about 0.7 MiB of memory, rather than when the list first opens.
  if (const QFont font = controlFont(control.style.font); widget->font() != font) widget->setFont(font);
  QWidget* pointerArea = widget;
  if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) pointerArea = memo->viewport();
  if (control.style.cursor != CursorShape::Default) pointerArea->setCursor(cursorOf(control.style.cursor));
  if (control.style.cream) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kCream);
    if (control.kind == ControlKind::ComboBox) palette.setColor(QPalette::Button, kCream);
    widget->setPalette(palette);
  }
  if (control.style.blueText) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    widget->setPalette(palette);
  }
}

}  // namespace

FormView::FormView(Form& form, QWidget* root, bool stretchPictures, const TForm15* selector)
    : form_(form), stretchPictures_(stretchPictures), selector_(selector) {
  // Each widget is made inside its parent, which already carries the forms'
  // font: no widget lays out its text in the system font first, a font no
  // control shows.
  root->setFont(controlFont(FontFace::Tahoma11));
  // Creation order is the stacking order; a parent precedes its controls in
  // the design tables.
  for (const Control& control : form_.controls()) {
    QWidget* parent = control.parent.empty() ? root : widget(control.parent);
    QWidget* widget = makeWidget(control, parent ? parent : root);
    style(widget, control);
    widgets_.emplace(control.name, widget);
    names_.emplace(widget, control.name);
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget(main_controls::kLanguage)); combo && selector_)
    for (const std::string& item : selector_->comboItems) combo->addItem(qs(item));
}

QWidget* FormView::widget(std::string_view name) const {
  const auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

std::string FormView::nameOf(const QObject* object) const {
  const auto it = names_.find(object);
  return it == names_.end() ? std::string() : it->second;
}

QRect FormView::geometryOf(const Control& control, const QFont& font) {
  int textWidth = 0, textHeight = 0;
  if (control.kind == ControlKind::Label) {
    const QFontMetricsF metrics(font);
    textWidth = static_cast<int>(std::ceil(metrics.horizontalAdvance(captionText(control.text))));
    textHeight = static_cast<int>(std::ceil(metrics.height()));
  }
  const ControlRect rect = controlRect(control, textWidth, textHeight);
  return {rect.left, rect.top, rect.width, rect.height};
}

int textRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  const QMargins margins = edit.textMargins();
  constexpr int kLineEditMargin = 2;  // what QLineEdit keeps free on each side of its text
  return edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit).width() - margins.left() -
         margins.right() - 2 * kLineEditMargin;
}

QString fittingText(const QLineEdit& edit, const Control& control) {
  const QFontMetricsF metrics(edit.font());
  return QString::fromStdString(shownText(
      control, textRoom(edit),
      [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
      },
      edit.hasFocus()));
}

void FormView::sync() {
  for (const Control& control : form_.controls()) syncControl(control, widget(control.name));
  syncNames();
}

void FormView::setAccess(std::span<const AccessibleName> names, std::span<const char* const> focusOrder,
                         const TForm15& main) {
  accessNames_ = names;
  languageOf_ = &main;
  for (const AccessibleName& row : names) {
    QWidget* named = widget(row.control);
    if (row.caption && std::string_view(row.caption) != row.control)
      if (auto* caption = qobject_cast<QLabel*>(widget(row.caption))) caption->setBuddy(named);
    if (row.role != AccessRole::Action) continue;
    if (qobject_cast<QLabel*>(named))
      makeKeyboardAction(named);
    else
      named->setFocusPolicy(Qt::TabFocus);  // a tool button: Tab reaches it, a click leaves the focus
  }
  for (std::size_t i = 1; i < focusOrder.size(); ++i)
    QWidget::setTabOrder(widget(focusOrder[i - 1]), widget(focusOrder[i]));
  syncNames();
}

void FormView::syncNames() {
  if (!languageOf_) return;
  const Language language = windowLanguage(*languageOf_);
  for (const AccessibleName& row : accessNames_) {
    const QString name = qs(accessibleName(form_, accessNames_, row.control, language));
    if (QWidget* named = widget(row.control); named->accessibleName() != name) named->setAccessibleName(name);
  }
}

void FormView::syncControl(const Control& control, QWidget* widget) {
  const QString text = captionText(control.text);
  switch (control.kind) {
    case ControlKind::Label:
      static_cast<QLabel*>(widget)->setText(text);
      break;
    case ControlKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      // A field shows its value in a form that fits; one the user edits
      // shows it whole.
      edit->setGeometry(geometryOf(control, widget->font()));
      const QString shown = fittingText(*edit, control);
      if (edit->text() != shown) {
        edit->setText(shown);
        edit->setCursorPosition(0);
      }
      break;
    }
    case ControlKind::Memo:
      if (auto* memo = static_cast<QPlainTextEdit*>(widget); memo->toPlainText() != qs(control.text))
        memo->setPlainText(qs(control.text));
      break;
    case ControlKind::ComboBox:
      if (selector_) {
        auto* combo = static_cast<QComboBox*>(widget);
        if (combo->currentIndex() != selector_->comboIndex) combo->setCurrentIndex(selector_->comboIndex);
      }
      break;
    case ControlKind::Button:
      static_cast<QPushButton*>(widget)->setText(text);
      break;
    case ControlKind::SpeedButton:
      static_cast<QToolButton*>(widget)->setText(text);
      break;
    case ControlKind::GroupBox:
      static_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case ControlKind::Image:
    case ControlKind::Panel:
      break;
  }

  const auto shown = shownPictures_.find(control.name);
  if (shown == shownPictures_.end() || !(shown->second == control.picture)) {
    const QPixmap pixmap = QPixmap::fromImage(pictures::image(control.picture));
    if (auto* label = qobject_cast<QLabel*>(widget); label && control.kind == ControlKind::Image) {
      label->setScaledContents(stretchPictures_);
      if (pixmap.isNull())
        label->clear();
      else
        label->setPixmap(pixmap);
    } else if (auto* button = qobject_cast<QToolButton*>(widget)) {
      button->setIcon(QIcon(pixmap));
      button->setIconSize(pixmap.size());
      button->setToolButtonStyle(pixmap.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    }
    shownPictures_[control.name] = control.picture;
  }

  widget->setToolTip(qs(tooltipText(control.hint, "\n")));
  widget->setGeometry(geometryOf(control, widget->font()));
  widget->setVisible(control.visible);
}

}  // namespace wexmora::qt
