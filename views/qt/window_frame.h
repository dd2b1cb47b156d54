#pragma once
// Pictures of a whole window, frame and title bar included. Where the window
// system lets the program read the frame's pixels from the screen (X11 with a
// window manager) they are taken from there; elsewhere (Wayland, offscreen,
// X11 without a frame) the window is rendered into a picture of the same
// outer size with a frame drawn around it: a 26-pixel title bar with icon and
// caption and a 3-pixel border.
#include <QImage>
#include <QWidget>

#include "core/window/jpeg_writer.h"
#include "core/window/screenshot.h"

namespace wexmora::qt {

// The window rendered with a drawn frame, `outer` pixels large.
QImage drawFramedWindow(QWidget& window, QSize outer);

RgbImage toRgbImage(const QImage& image);

// The screenshot's capture of a top-level window.
class FrameCapture : public WindowCapture {
 public:
  explicit FrameCapture(QWidget& window) : window_(window) {}
  // Lets the window repaint first, so that the save dialog that just closed
  // is not in the picture.
  RgbImage capture(int width, int height) override;

 private:
  QWidget& window_;
};

}  // namespace wexmora::qt
