#include "tools/artwork/contact_sheet.h"

#include <QPainter>

#include "tools/artwork/paint.h"

namespace wexmora::artwork {

QImage contactSheet(const std::vector<QImage>& badges) {
  constexpr int kColumns = 8, kCell = 128, kGap = 8, kCaption = 18;
  const int rows = (static_cast<int>(badges.size()) + kColumns - 1) / kColumns;
  QImage sheet(kGap + kColumns * (kCell + kGap), kGap + rows * (kCell + kCaption + kGap), QImage::Format_RGB32);
  sheet.fill(QColor(0xF0, 0xF0, 0xF0));  // the window's button-face colour
  QPainter p(&sheet);
  for (int i = 0; i < static_cast<int>(badges.size()); ++i) {
    const int x = kGap + (i % kColumns) * (kCell + kGap), y = kGap + (i / kColumns) * (kCell + kCaption + kGap);
    p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(x - 1, y - 1, kCell + 1, kCell + 1);  // the cell's outline, just outside it
    p.drawImage(x, y, badges[static_cast<std::size_t>(i)]);
    fittedText(p, QRectF(x, y + kCell, kCell, kCaption), QString::number(i), font(13), QColor(0x30, 0x30, 0x30));
  }
  return sheet;
}

}  // namespace wexmora::artwork
