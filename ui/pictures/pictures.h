#pragma once
// The pictures the windows show: the badge list, the QR list, and the photos,
// glyphs, logo and icon built into the forms. Each image is made when it is
// first asked for and kept for the run.
#include <QIcon>
#include <QImage>
#include <QString>

#include "ui/model/form_model.h"

namespace wexmora::pictures {

// Badges 0-45 are product badges, 46 the no-photo sign, 47 the site QR code.
inline constexpr int kBadgeCount = 48;

// The image a model picture stands for (a null image for PictureSource::None
// and for indices outside the lists). Badges and QR images are 128x128 with
// transparency; the JPEG photos and logo are decoded with libjpeg.
QImage image(const Picture& picture);

// The program's icon: the 95x95 window icon first, then the same chip drawn
// for each icon-theme size (16 to 256).
QIcon programIcon();

// Where badge `index` (0-46) is built in; badge 47 is generated instead.
QString badgeResourcePath(int index);

}  // namespace wexmora::pictures
