#pragma once
// The windows' fonts. The design asks for Tahoma and Times New Roman; where
// they are not installed, metric-close free fonts with Cyrillic stand in:
// Liberation Sans for Tahoma, Liberation Serif for Times New Roman (then the
// DejaVu families).
#include <QFont>

#include "ui/model/form_model.h"

namespace wexmora::qt {

QFont controlFont(FontFace face);

}  // namespace wexmora::qt
