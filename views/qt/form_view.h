#pragma once
// Paints a window model with Qt widgets: one widget per control, of the
// control's kind, at its place in its parent. The view never decides
// anything; after every event the window calls sync() and the widgets take
// the model's texts, hints, places, visibility and pictures again.
#include <QLineEdit>
#include <QObject>
#include <QWidget>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "core/window/accessible_names.h"

namespace wexmora::qt {

// The width a line edit of its present size gives its text.
int textRoom(const QLineEdit& edit);

// What the field shows of its control's text (core/window/control_text.h's
// shownText), measured in the field's font.
QString fittingText(const QLineEdit& edit, const Control& control);

class FormView {
 public:
  // Builds the widgets of every control of `form` under `root` (the client
  // area); the first sync() gives them their texts, places and pictures.
  // Pictures are drawn at their size, or stretched to the control.
  // `selector` is the main window, whose language selector the view shows.
  FormView(Form& form, QWidget* root, bool stretchPictures, const TForm15* selector = nullptr);

  QWidget* widget(std::string_view name) const;
  // The component name of a widget of this view, "" for any other object.
  std::string nameOf(const QObject* object) const;
  void sync();

  // What a screen reader hears and where Tab goes: each named control takes
  // its name in the language `main` shows at every sync(), a caption label
  // becomes its field's buddy, the actions become reachable by Tab, and the
  // focus goes through `focusOrder`.
  void setAccess(std::span<const AccessibleName> names, std::span<const char* const> focusOrder, const TForm15& main);

  // Labels size themselves to their text in `font`; others keep the model's size.
  static QRect geometryOf(const Control& control, const QFont& font);

 private:
  void syncControl(const Control& control, QWidget* widget);
  void syncNames();

  Form& form_;
  bool stretchPictures_;
  const TForm15* selector_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  std::map<const QObject*, std::string> names_;
  std::map<std::string, Picture, std::less<>> shownPictures_;
  std::span<const AccessibleName> accessNames_;
  const TForm15* languageOf_ = nullptr;
};

}  // namespace wexmora::qt
