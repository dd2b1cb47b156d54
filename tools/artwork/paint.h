#pragma once
// Drawing helpers the artwork shares: fonts, fitted text, the die and circuit
// textures, and the 1-bit transparency the image lists keep.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace wexmora::artwork {

// A transparent ARGB canvas.
QImage canvas(int width, int height);

// The artwork's typeface (DejaVu Sans) at a pixel size.
QFont font(double pixelSize, bool bold = true, bool condensed = false);

// Draws `text` in `box` with the given alignment, shrinking the font until
// the text fits the box's width; throws std::runtime_error when it cannot
// fit even at 6 pixels.
void fittedText(QPainter& painter, const QRectF& box, const QString& text, QFont font, const QColor& colour,
                Qt::Alignment alignment = Qt::AlignCenter);

// Text with a one-pixel shadow below it, for text on textured grounds.
void shadowedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
                  const QColor& shadow, Qt::Alignment alignment = Qt::AlignCenter);

// A grid of small cells in shades of the palette, as a processor die looks
// from above. The same seed gives the same pattern.
void diePattern(QPainter& painter, const QRectF& area, unsigned seed, double cell = 4.0);

// Circuit tracks and vias over a dark ground.
void circuitPattern(QPainter& painter, const QRectF& area, unsigned seed);

// Alpha quantised to 0 or 255, as an image list's mask keeps it.
QImage oneBitAlpha(const QImage& image);

// A vertical two-colour gradient brush over `area`.
QBrush verticalGradient(const QRectF& area, const QColor& top, const QColor& bottom);

}  // namespace wexmora::artwork
