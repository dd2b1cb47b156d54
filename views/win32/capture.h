#pragma once
// The screenshot's picture of the main window: the screen's pixels of the
// whole window, frame and title bar included, taken from its outer top-left
// corner once it has repainted itself after the save dialog. The size asked
// for is in the design's pixels: on a scaled display the picture is the
// window as it is shown, with the same rows below it.
#include <windows.h>

#include "core/window/screenshot.h"

namespace wexmora::win32 {

class ScreenCapture : public WindowCapture {
 public:
  // designWidth x designHeight: the window's outer size at 100 %.
  ScreenCapture(HWND window, int designWidth, int designHeight)
      : window_(window), designWidth_(designWidth), designHeight_(designHeight) {}
  RgbImage capture(int width, int height) override;

 private:
  HWND window_;
  int designWidth_, designHeight_;
};

}  // namespace wexmora::win32
