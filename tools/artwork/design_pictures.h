#pragma once
// The pictures built into the windows: the two processor photos, the icon,
// the about button's figure, the screenshot button's camera and the about
// dialog's logo. All our own drawings.
#include <QImage>

namespace wexmora::artwork {

QImage drawFrontPhoto();   // 95x95, the heat spreader side of an LGA package
QImage drawBackPhoto();    // 95x95, its land grid
QImage drawIcon();         // 95x95, opaque: a chip with pins on a yellow ground
QImage drawAboutGlyph();   // 20x25, a small blue figure, transparent around it
QImage drawCameraGlyph();  // 52x36, a camera, transparent around it
QImage drawAboutLogo();    // 97x97, opaque: a chip bearing the product name

}  // namespace wexmora::artwork
