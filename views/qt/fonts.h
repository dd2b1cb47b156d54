#pragma once
// The windows' fonts. The design asks for Tahoma and Times New Roman; where
// they are not installed, metric-close free fonts with Cyrillic stand in:
// Liberation Sans for Tahoma, Liberation Serif for Times New Roman (then the
// DejaVu families).
#include <QFont>

#include "core/model/form_model.h"

namespace wexmora::qt {

QFont controlFont(FontFace face);

// Looks up which families stand in, once; the font list's first reading
// takes a while, so the start-up reads it on another thread while the pass
// waits. Any thread.
void chooseFontFamilies();

}  // namespace wexmora::qt
