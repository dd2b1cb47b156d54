#include "views/qt/window_frame.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cstring>

#include "core/model/form_model.h"

namespace wexmora::qt {
namespace {

constexpr int kFrame = TForm15::kFrameWidth;
constexpr int kTitle = TForm15::kTitleHeight;
constexpr int kRepaintWaitMs = 150;

const QColor kTitleColour(153, 180, 209);
const QColor kBorderColour(120, 140, 165);

// Whether the screen holds the window's frame: X11 with a window manager
// that decorates it.
bool screenShowsFrame(const QWidget& window) {
  return QGuiApplication::platformName() == QLatin1String("xcb") && window.frameGeometry() != window.geometry();
}

void drawCaptionButton(QPainter& painter, const QRect& box, bool close) {
  painter.setPen(QPen(Qt::black, 1.5));
  const QRect glyph = box.adjusted(6, 5, -6, -5);
  if (close) {
    painter.drawLine(glyph.topLeft(), glyph.bottomRight());
    painter.drawLine(glyph.bottomLeft(), glyph.topRight());
  } else {
    painter.drawLine(glyph.left(), glyph.bottom(), glyph.right(), glyph.bottom());
  }
}

}  // namespace

QImage drawFramedWindow(QWidget& window, QSize outer) {
  QImage image(outer, QImage::Format_RGB32);
  image.fill(kTitleColour);
  QPainter painter(&image);
  painter.setPen(kBorderColour);
  painter.drawRect(0, 0, outer.width() - 1, outer.height() - 1);

  const int buttonWidth = 24;
  const QRect closeBox(outer.width() - kFrame - buttonWidth - 2, 3, buttonWidth, kTitle - 7);
  const QRect minimiseBox = closeBox.translated(-buttonWidth - 2, 0);
  const QIcon icon = window.windowIcon();
  int textLeft = kFrame + 4;
  if (!icon.isNull()) {
    painter.drawPixmap(kFrame + 2, (kTitle - 16) / 2, icon.pixmap(16, 16));
    textLeft += 20;
  }
  QFont font = QApplication::font();  // the system's caption font, not the client area's
  font.setPixelSize(12);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(textLeft, 0, minimiseBox.left() - textLeft - 4, kTitle - 1),
                   Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, window.windowTitle());
  drawCaptionButton(painter, minimiseBox, false);
  drawCaptionButton(painter, closeBox, true);

  window.render(&painter, QPoint(kFrame, kTitle), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return image;
}

RgbImage toRgbImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage result{rgb.width(), rgb.height(), {}};
  const std::size_t stride = static_cast<std::size_t>(rgb.width()) * 3;
  result.pixels.resize(stride * rgb.height());
  for (int y = 0; y < rgb.height(); ++y) std::memcpy(result.pixels.data() + y * stride, rgb.constScanLine(y), stride);
  return result;
}

RgbImage FrameCapture::capture(int width, int height) {
  const bool fromScreen = screenShowsFrame(window_);
  QCoreApplication::processEvents();
  window_.repaint();
  if (fromScreen) {
    // The dialog's disappearance and the window's repaint reach the screen
    // asynchronously; give them a moment.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kRepaintWaitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QScreen* screen = window_.screen();
    const QPoint corner = window_.frameGeometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, corner.x(), corner.y(), width, height);
    if (shot.width() == width && shot.height() == height) return toRgbImage(shot.toImage());
  }
  return toRgbImage(drawFramedWindow(window_, QSize(width, height)));
}

}  // namespace wexmora::qt
