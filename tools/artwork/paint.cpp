#include "tools/artwork/paint.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <random>
#include <stdexcept>
#include <string>

namespace wexmora::artwork {

QImage canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QFont font(double pixelSize, bool bold, bool condensed) {
  QFont f(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
  f.setPixelSize(static_cast<int>(pixelSize));
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

void fittedText(QPainter& painter, const QRectF& box, const QString& text, QFont f, const QColor& colour,
                Qt::Alignment alignment) {
  while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(text) > box.width()) f.setPixelSize(f.pixelSize() - 1);
  if (QFontMetricsF(f).horizontalAdvance(text) > box.width()) {
    // Clipped lettering is a drawing fault: stop rather than write it out.
    throw std::runtime_error("\"" + text.toStdString() + "\" does not fit " + std::to_string(box.width()) + " px");
  }
  painter.setFont(f);
  painter.setPen(colour);
  painter.drawText(box, static_cast<int>(alignment), text);
}

void shadowedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& f, const QColor& colour,
                  const QColor& shadow, Qt::Alignment alignment) {
  fittedText(painter, box.translated(0, 1), text, f, shadow, alignment);
  fittedText(painter, box, text, f, colour, alignment);
}

void diePattern(QPainter& painter, const QRectF& area, unsigned seed, double cell) {
  static const QColor kPalette[] = {QColor(0x1B, 0x4F, 0x9C), QColor(0x25, 0x7A, 0xC8), QColor(0x3F, 0xA7, 0xD6),
                                    QColor(0x6C, 0x5B, 0xA7), QColor(0xC9, 0x9A, 0x2E), QColor(0x2E, 0x8B, 0x7A),
                                    QColor(0x12, 0x35, 0x6E), QColor(0x8F, 0xC3, 0xE8)};
  std::mt19937 random(seed);
  painter.save();
  painter.setClipRect(area);
  painter.setPen(Qt::NoPen);
  for (double y = area.top(); y < area.bottom(); y += cell) {
    for (double x = area.left(); x < area.right(); x += cell) {
      QColor c = kPalette[random() % 8];
      // Blocks of the same colour read as functional units of the die.
      const double w = cell * (1 + random() % 2), h = cell * (1 + random() % 2);
      painter.setBrush(c.lighter(90 + static_cast<int>(random() % 30)));
      painter.drawRect(QRectF(x, y, w - 0.6, h - 0.6));
    }
  }
  painter.restore();
}

void circuitPattern(QPainter& painter, const QRectF& area, unsigned seed) {
  std::mt19937 random(seed);
  painter.save();
  painter.setClipRect(area);
  painter.fillRect(area, verticalGradient(area, QColor(0x23, 0x2F, 0x3E), QColor(0x12, 0x1A, 0x26)));
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor track(0x5E, 0x86, 0xA8, 170);
  for (int i = 0; i < 26; ++i) {
    // A track runs straight, bends by 45 degrees once and ends in a via.
    QPointF p(area.left() + random() % static_cast<unsigned>(area.width()),
              area.top() + random() % static_cast<unsigned>(area.height()));
    const bool horizontal = random() % 2;
    const double first = 6 + random() % 18, second = 4 + random() % 10;
    QPainterPath path(p);
    QPointF q = horizontal ? p + QPointF(first, 0) : p + QPointF(0, first);
    path.lineTo(q);
    q += QPointF(second, second);
    path.lineTo(q);
    painter.setPen(QPen(track, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(QColor(0x9F, 0xC4, 0xE0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(q, 1.3, 1.3);
  }
  painter.restore();
}

QImage oneBitAlpha(const QImage& image) {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const QRgb p = line[x];
      line[x] = qAlpha(p) >= 128 ? (p | 0xFF000000u) : 0u;
    }
  }
  return result;
}

QBrush verticalGradient(const QRectF& area, const QColor& top, const QColor& bottom) {
  QLinearGradient g(area.topLeft(), area.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return QBrush(g);
}

}  // namespace wexmora::artwork
