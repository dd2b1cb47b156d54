#pragma once
// The screenshot's picture of the main window: the screen's pixels of the
// whole window, frame and title bar included, taken from its outer top-left
// corner once it has repainted itself after the save dialog.
#include <windows.h>

#include "ui/screenshot.h"

namespace wexmora::win32 {

class ScreenCapture : public WindowCapture {
 public:
  explicit ScreenCapture(HWND window) : window_(window) {}
  RgbImage capture(int width, int height) override;

 private:
  HWND window_;
};

}  // namespace wexmora::win32
