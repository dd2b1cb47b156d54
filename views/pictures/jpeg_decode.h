#pragma once
// Decodes the JPEG pictures built into the windows with libjpeg itself, so
// that the program does not depend on an image-format plugin being present.
#include <QByteArray>
#include <QImage>

namespace wexmora::pictures {

// The picture `data` holds, as 24-bit RGB; a null image when the data is not
// a JPEG libjpeg reads without complaint (damaged or truncated data, or
// pictures larger than 4096 x 4096, give a null image).
QImage decodeJpeg(const QByteArray& data);

}  // namespace wexmora::pictures
