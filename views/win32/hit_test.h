#pragma once
// Which windowless control of a frame the pointer is over. The controls with
// a window get their own mouse messages; labels, pictures and tool buttons
// are found here, the topmost first, as their frame paints them.
#include <windows.h>

#include <string_view>

#include "core/model/form_model.h"
#include "core/window/display_scale.h"

namespace wexmora::win32 {

// The visible windowless control of `form` whose parent is `frame` ("" for
// the client area) under `point`, in the frame's coordinates; nullptr over
// the frame's own background.
const Control* windowlessControlAt(const Form& form, std::string_view frame, POINT point, const DisplayScale& scale);

}  // namespace wexmora::win32
