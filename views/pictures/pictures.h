#pragma once
// The pictures the windows show: the badge list, the QR list, and the photos,
// glyphs, logo and icon built into the forms. Each image is made when it is
// asked for and not kept: the views hold the only copy of the pixels.
#include <QIcon>
#include <QImage>
#include <QString>

#include "core/model/form_model.h"
#include "core/window/picture_origin.h"  // the badge list

namespace wexmora::pictures {

// The image a model picture stands for (a null image for PictureSource::None
// and for indices outside the lists). Badges and QR images are 128x128 with
// transparency; the JPEG photos and logo are decoded with libjpeg.
QImage image(const Picture& picture);

// Makes the image ahead, on any thread, for the next image() of the picture
// to hand over.
void decodeAhead(const Picture& picture);

// The program's icon: the 95x95 window icon first, then the same chip drawn
// for each icon-theme size a window carries (16 to 128).
// Made on the window thread, once.
QIcon programIcon();

// Decodes the icon's pictures ahead of programIcon(), on any thread; image()
// may also be called from any thread. programIcon() releases them.
void decodeProgramIcon();

}  // namespace wexmora::pictures
