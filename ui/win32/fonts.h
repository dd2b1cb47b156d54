#pragma once
// The windows' fonts: Tahoma 11 pixels for everything, Times New Roman 12 and
// 11 pixels for the captions over the front photo, all with the Cyrillic
// character set. Made once, kept for the run.
#include <windows.h>

#include "ui/model/form_model.h"

namespace wexmora::win32 {

HFONT controlFont(FontFace face);

}  // namespace wexmora::win32
