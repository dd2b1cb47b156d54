#pragma once
// The main window's own small handlers: the ones that only move, show or hide
// controls (the FMS panel, the about dialog's placement, the hover shifts and
// the press effect of the screenshot caption). They change the model only;
// the views reach them through core/pass/main_window_events.h and repaint from
// the model.
#include <span>
#include <string_view>

#include "core/model/form_model.h"

namespace wexmora {

// A mouse-move handler: the control it belongs to and the places it sets,
// in order (a nullptr control ends the list).
struct HoverShift {
  struct Position {
    const char* control;
    int left, top;
  };
  const char* over;
  Position positions[7];
};

// One row per control with a mouse-move handler.
std::span<const HoverShift> hoverShifts();

// FMS button: hides Panel1 when it is visible, shows it otherwise.
void SpeedButton5Click(TForm15& form);
// Hide button of the FMS panel.
void Button3Click(TForm15& form);
// About button: toggles the dialog, then places it at the main window's top
// plus 145 and left plus 95, whether it was shown or hidden.
void SpeedButton4Click(TForm15& form, TForm4& about);

// The mouse-move handler of the control the pointer moves over: pictures and
// tool buttons shift, a frame background puts them back. Returns false for a
// control without a mouse-move handler (labels, fields, the panel), which
// leaves every position as it is.
bool MouseMoveOver(TForm15& form, std::string_view control);

// Press effect of the screenshot caption: any mouse button moves it 2 pixels
// right while it is held.
void Label11MouseDown(TForm15& form);
void Label11MouseUp(TForm15& form);

}  // namespace wexmora
