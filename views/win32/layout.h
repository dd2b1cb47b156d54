#pragma once
// Where a control of a window model stands at a display scale, and which
// controls are windows of their own: edit fields, the memo, the drop-down
// list, push buttons and the frames (group boxes, the panel). Labels,
// pictures and tool buttons have no window; their frame paints them.
#include "core/model/form_model.h"
#include "core/window/control_text.h"
#include "core/window/display_scale.h"

namespace wexmora::win32 {

bool isFrame(ControlKind kind);
bool hasWindow(ControlKind kind);

// The control's place in its parent frame: the design's rectangle at the
// scale, a label grown to its text in the scaled font.
ControlRect scaledRect(const Control& control, const DisplayScale& scale);

}  // namespace wexmora::win32
