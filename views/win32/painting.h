#pragma once
// Paints a frame the way the form designer's frames paint: the background,
// the panel's raised edge or the group box's etched border with its caption,
// then the frame's windowless controls (labels, pictures, tool buttons) in
// the model's order, so that a transparent label shows the picture below it.
// Drawn off screen first, so that shifting pictures do not flicker.
#include <windows.h>

#include <string_view>

#include "core/model/form_model.h"
#include "core/window/display_scale.h"

namespace wexmora::win32 {

struct FramePainting {
  const Form& form;
  DisplayScale scale;
  bool stretchPictures = false;  // pictures fill their box (the about window) or keep their size
  std::string_view pressed;      // the control a mouse button is held down on: a tool button shows pressed
  std::string_view focused;      // the windowless action the keyboard is on: it shows a focus frame
};

// Answers WM_PAINT of `frame`, the window of the frame control `name` ("" for
// the client area, which has no border).
void paintFrame(HWND frame, std::string_view name, const FramePainting& painting);

}  // namespace wexmora::win32
