#include "tools/artwork/design_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/artwork/paint.h"

namespace wexmora::artwork {
namespace {

const QColor kSubstrate(0x2F, 0x6B, 0x3A);
const QColor kSubstrateEdge(0x1E, 0x4A, 0x27);
const QColor kGold(0xD9, 0xB2, 0x4C);

QImage opaque(int width, int height, const QColor& ground) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ground);
  return image;
}

// The green package both photos show, with its two orientation notches and
// the gold triangle marking pin 1.
void substrate(QPainter& p, const QRectF& r, bool mirrored) {
  QPainterPath board;
  board.addRoundedRect(r, 2.5, 2.5);
  QPainterPath notches;
  const double y = r.top() + r.height() * 0.28;
  notches.addRect(QRectF(r.left() - 1, y, 3.5, 5));
  notches.addRect(QRectF(r.right() - 2.5, y, 3.5, 5));
  p.setPen(QPen(kSubstrateEdge, 1));
  p.setBrush(verticalGradient(r, kSubstrate.lighter(115), kSubstrate.darker(110)));
  p.drawPath(board.subtracted(notches));
  QPainterPath triangle;
  const QPointF corner = mirrored ? r.bottomRight() + QPointF(-3, -3) : r.bottomLeft() + QPointF(3, -3);
  const double dx = mirrored ? -8 : 8;
  triangle.moveTo(corner);
  triangle.lineTo(corner + QPointF(dx, 0));
  triangle.lineTo(corner + QPointF(0, -8));
  triangle.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawPath(triangle);
}

// A chip: dark body, pins on all four sides, the name on the body.
void chip(QPainter& p, const QRectF& body, int pinsPerSide, const QString& name, const QColor& bodyTop,
          const QColor& bodyBottom, const QColor& ink) {
  const double pinLength = body.width() * 0.17, pinWidth = body.width() / (pinsPerSide * 2.0);
  const double step = body.width() / pinsPerSide;
  p.setPen(QPen(QColor(0x70, 0x74, 0x7A), 0.8));
  p.setBrush(verticalGradient(body, QColor(0xF4, 0xF5, 0xF7), QColor(0xA8, 0xAD, 0xB4)));
  for (int i = 0; i < pinsPerSide; ++i) {
    const double along = step * (i + 0.5) - pinWidth / 2;
    p.drawRect(QRectF(body.left() + along, body.top() - pinLength, pinWidth, pinLength));
    p.drawRect(QRectF(body.left() + along, body.bottom(), pinWidth, pinLength));
    p.drawRect(QRectF(body.left() - pinLength, body.top() + along, pinLength, pinWidth));
    p.drawRect(QRectF(body.right(), body.top() + along, pinLength, pinWidth));
  }
  p.setPen(QPen(bodyBottom.darker(140), 1));
  p.setBrush(verticalGradient(body, bodyTop, bodyBottom));
  p.drawRoundedRect(body, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(bodyTop.lighter(160));
  p.drawEllipse(QPointF(body.left() + 6, body.top() + 6), 2, 2);  // pin 1
  shadowedText(p, body.adjusted(3, 0, -3, 0), name, font(body.width() * 0.24), ink, QColor(0, 0, 0, 120));
}

}  // namespace

QImage drawFrontPhoto() {
  QImage image = opaque(95, 95, QColor(0xF3, 0xF3, 0xF1));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // A soft shadow under the package, as on a light photo table.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(QRectF(8, 9, 81, 81), 4, 4);
  const QRectF board(6, 6, 81, 81);
  substrate(p, board, false);
  // Small capacitors beside the heat spreader.
  p.setBrush(QColor(0xB8, 0x9A, 0x6A));
  for (int i = 0; i < 6; ++i) p.drawRect(QRectF(14 + i * 11, 79, 3, 2));
  // The heat spreader: brushed metal, lit from the upper left.
  const QRectF lid(15, 13, 63, 63);
  QLinearGradient metal(lid.topLeft(), lid.bottomRight());
  metal.setColorAt(0, QColor(0xF0, 0xF1, 0xF2));
  metal.setColorAt(0.45, QColor(0xC9, 0xCC, 0xD0));
  metal.setColorAt(1, QColor(0x98, 0x9C, 0xA2));
  p.setPen(QPen(QColor(0x7A, 0x7E, 0x84), 1));
  p.setBrush(metal);
  p.drawRoundedRect(lid, 3, 3);
  p.setPen(QPen(QColor(255, 255, 255, 150), 1));
  p.drawLine(QPointF(lid.left() + 3, lid.top() + 1.5), QPointF(lid.right() - 3, lid.top() + 1.5));
  // Engraved markings: the name only, along the top edge. The lower part of
  // the lid stays plain, as the key, clock and socket captions lie over it.
  const QColor engraving(0x4C, 0x50, 0x56), edge(0xF6, 0xF7, 0xF8);
  auto engrave = [&](double top, double height, const QString& text, double size) {
    const QRectF box(lid.left() + 5, top, lid.width() - 10, height);
    fittedText(p, box.translated(0, 0.8), text, font(size), edge, Qt::AlignLeft | Qt::AlignVCenter);
    fittedText(p, box, text, font(size), engraving, Qt::AlignLeft | Qt::AlignVCenter);
  };
  engrave(lid.top() + 5, 13, QStringLiteral("WEXMORA"), 11);
  return image;
}

QImage drawBackPhoto() {
  QImage image = opaque(95, 95, QColor(0xF3, 0xF3, 0xF1));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(QRectF(8, 9, 81, 81), 4, 4);
  const QRectF board(6, 6, 81, 81);
  substrate(p, board, true);
  // The land grid: gold pads everywhere but the central component field.
  const QRectF field(34, 32, 25, 29);
  for (double y = board.top() + 5; y < board.bottom() - 4; y += 3.1) {
    for (double x = board.left() + 5; x < board.right() - 4; x += 3.1) {
      if (field.adjusted(-2, -2, 2, 2).contains(x, y)) continue;
      QRadialGradient pad(QPointF(x - 0.3, y - 0.3), 1.3);
      pad.setColorAt(0, QColor(0xFF, 0xE9, 0x9E));
      pad.setColorAt(1, QColor(0xB8, 0x8A, 0x2A));
      p.setBrush(pad);
      p.drawEllipse(QPointF(x, y), 1.05, 1.05);
    }
  }
  // Capacitors in the middle field: silver ends, brown bodies.
  p.setBrush(kSubstrate.darker(115));
  p.drawRect(field);
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) {
      const QRectF cap(field.left() + 2.5 + col * 7.5, field.top() + 2.5 + row * 5.3, 5, 3);
      p.setBrush(QColor(0x9A, 0x74, 0x48));
      p.drawRect(cap);
      p.setBrush(QColor(0xD8, 0xDA, 0xDE));
      p.drawRect(QRectF(cap.left(), cap.top(), 1.2, cap.height()));
      p.drawRect(QRectF(cap.right() - 1.2, cap.top(), 1.2, cap.height()));
    }
  }
  return image;
}

QImage drawIcon() {
  QImage image = opaque(95, 95, QColor(0xFF, 0xD4, 0x1E));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(image.rect(), verticalGradient(image.rect(), QColor(0xFF, 0xE2, 0x4A), QColor(0xF5, 0xB8, 0x00)));
  chip(p, QRectF(17, 17, 61, 61), 8, QStringLiteral("Wexmora"), QColor(0x3A, 0x3D, 0x44), QColor(0x12, 0x13, 0x16),
       QColor(0xFF, 0xE2, 0x4A));
  return image;
}

QImage drawAboutGlyph() {
  QImage image = canvas(20, 25);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area(0, 0, 20, 25);
  p.setPen(QPen(QColor(0x0B, 0x3F, 0x8C), 1));
  p.setBrush(verticalGradient(area, QColor(0x4F, 0xA3, 0xF0), QColor(0x0D, 0x55, 0xB5)));
  p.drawEllipse(QPointF(10, 6), 4.3, 4.3);  // head
  QPainterPath body;
  body.moveTo(2.5, 24);
  body.lineTo(2.5, 17);
  body.quadTo(2.5, 11.5, 8, 11.5);
  body.lineTo(12, 11.5);
  body.quadTo(17.5, 11.5, 17.5, 17);
  body.lineTo(17.5, 24);
  body.closeSubpath();
  p.drawPath(body);
  return oneBitAlpha(image);
}

QImage drawCameraGlyph() {
  QImage image = canvas(52, 36);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body(2, 8, 48, 26);
  p.setPen(QPen(QColor(0x20, 0x22, 0x26), 1));
  p.setBrush(verticalGradient(body, QColor(0x6A, 0x70, 0x78), QColor(0x2C, 0x30, 0x36)));
  p.drawRoundedRect(QRectF(16, 2.5, 18, 8), 2, 2);  // viewfinder hump
  p.drawRoundedRect(body, 4, 4);
  p.setBrush(QColor(0xE8, 0x4A, 0x3C));
  p.drawRoundedRect(QRectF(6, 4.5, 7, 4), 1, 1);  // shutter button
  p.setBrush(QColor(0xD8, 0xDC, 0xE2));
  p.drawEllipse(QPointF(26, 21), 10.5, 10.5);  // lens ring
  QRadialGradient glass(QPointF(23.5, 18.5), 9);
  glass.setColorAt(0, QColor(0x9C, 0xD4, 0xFF));
  glass.setColorAt(0.5, QColor(0x1F, 0x5F, 0xB0));
  glass.setColorAt(1, QColor(0x0A, 0x1E, 0x40));
  p.setBrush(glass);
  p.drawEllipse(QPointF(26, 21), 7.5, 7.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xF4, 0xC0));
  p.drawRect(QRectF(40, 12, 6, 3.5));  // flash
  return oneBitAlpha(image);
}

QImage drawAboutLogo() {
  QImage image = opaque(97, 97, kSubstrate);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(image.rect(), verticalGradient(image.rect(), QColor(0xFD, 0xFE, 0xFF), QColor(0xCF, 0xE2, 0xF5)));
  circuitPattern(p, QRectF(0, 0, 97, 97), 7);
  p.fillRect(image.rect(), QColor(255, 255, 255, 150));  // the tracks as a faint ground
  chip(p, QRectF(19, 19, 59, 59), 7, QStringLiteral("Wexmora"), QColor(0x1C, 0x7E, 0xD6), QColor(0x0A, 0x3A, 0x7A),
       QColor(Qt::white));
  return image;
}

}  // namespace wexmora::artwork
