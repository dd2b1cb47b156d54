#pragma once
// The windows' fonts: Tahoma 11 pixels for everything, Times New Roman 12 and
// 11 pixels for the captions over the front photo, all with the Cyrillic
// character set; at a display scale other than 100 % the same faces at the
// scaled height, a pixel or two less where that face runs wider than the
// scale. Made once per scale, kept for the run.
#include <windows.h>

#include "core/model/form_model.h"

namespace wexmora::win32 {

HFONT controlFont(FontFace face, int dpi = 96);

}  // namespace wexmora::win32
