#pragma once
// What a screen reader hears for the controls of both windows, and the order
// the keyboard goes through them. A value field is named by the caption label
// above it, so that its name follows the language the label shows; an action
// or a picture that no caption names has a text of its own in both
// languages. The views apply these names to their widgets; the controls'
// texts, and so the control dumps, do not carry them.
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"
#include "core/texts/texts.h"

namespace wexmora {

// How the user works a control named in the table.
enum class AccessRole {
  Field,    // a value to read (edit fields, the memo, the language list)
  Button,   // a push button, pressed by the keyboard as by the mouse
  Action,   // a tool button, a linked picture or caption: the views make it
            // reachable by Tab and pressed by Enter and Space
  Picture,  // a picture to look at
  Group,    // a frame that holds related controls
};

// One named control: the control whose text names it (its caption label, or
// the control itself for a push button), or, where none does, an entry of
// the text table in the window's language.
struct AccessibleName {
  const char* control;
  AccessRole role;
  const char* caption;  // null: named by `text`
  TextId text;
};

std::span<const AccessibleName> mainWindowNames();
std::span<const AccessibleName> aboutDialogNames();

// The table's row for `control`, null for a control it does not name.
const AccessibleName* accessibleRow(std::span<const AccessibleName> names, std::string_view control);

// The name of `control` as `form` stands now, "" for a control the table
// does not name. Captions are read as one line, without outer blanks.
std::string accessibleName(const Form& form, std::span<const AccessibleName> names, std::string_view control,
                           Language language);

// The order Tab goes through a window's controls, Shift+Tab the other way.
// In the data sheet it is the designed tab order; the actions the design
// left out of it (the linked pictures before the sheet, the tool buttons
// after it) are placed where they are read.
std::span<const char* const> mainWindowFocusOrder();
std::span<const char* const> aboutDialogFocusOrder();

}  // namespace wexmora
