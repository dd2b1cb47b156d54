#pragma once
// The pictures the windows show: the badge list, the QR list, and the photos,
// glyphs, logo and icon built into the forms. Each image is made when it is
// first asked for.
#include <QIcon>
#include <QImage>

#include "ui/form_model.h"

namespace wexmora::pictures {

// The image a model picture stands for (a null image for PictureSource::None).
// Badges and QR images are 128x128 with transparency.
QImage image(const Picture& picture);

// The program's icon (95x95).
QIcon programIcon();

}  // namespace wexmora::pictures
