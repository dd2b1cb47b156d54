#pragma once
// The program's icon for desktop menus and icon themes: the window icon's
// chip on a yellow tile, drawn anew for every size a theme asks for, with as
// many pins and as much lettering as that size can show, and a scalable copy
// of the largest drawing.
#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <span>
#include <vector>

namespace wexmora::artwork {

enum class Lettering { None, Initial, Name };  // nothing, "W", "Wexmora"

// How the icon is laid out at one size, in whole pixels so that small
// drawings stay sharp. The pins of a side span (pins - 1) * pinPitch +
// pinWidth pixels, centred on the body.
struct IconLayout {
  int size;        // width and height of the image
  int tileMargin;  // transparent border around the yellow tile
  double cornerRadius;
  int body;  // side of the dark chip body, centred
  int pins;  // pins per side
  int pinWidth;
  int pinPitch;   // distance from one pin's start to the next
  int pinLength;  // from the body's edge outwards
  Lettering lettering;
  bool details;  // outlines, the pin-1 mark and the lid's highlight
};

// One row per size an icon theme installs, smallest first.
std::span<const IconLayout> iconLayouts();

// The layout for `size`; throws std::invalid_argument for a size without one.
const IconLayout& iconLayout(int size);

// One filled (and optionally outlined) area of the drawing. A fill whose two
// colours differ is a vertical gradient over the shape's bounding box.
struct IconShape {
  QPainterPath path;
  QColor fillTop, fillBottom;
  QColor stroke;  // invalid: no outline
  double strokeWidth = 0;
};

// The drawing at one layout, back to front, in pixel coordinates.
std::vector<IconShape> iconShapes(const IconLayout& layout);

// The icon at `size` pixels: ARGB, transparent outside the tile.
QImage drawProgramIcon(int size);

// The largest layout as an SVG document (lettering as outlines, so no font
// is needed to show it).
QByteArray programIconSvg();

// A Windows icon file holding `images` (each square, at most 256 pixels):
// 32-bit bitmaps with a transparency mask, PNG data for the 256-pixel image.
QByteArray icoFile(const std::vector<QImage>& images);

}  // namespace wexmora::artwork
