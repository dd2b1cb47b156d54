#pragma once
// The display scale of a window, and a frame for a scale, on every Windows
// the programs run on: the per-monitor functions of Windows 10 1607 and later
// are looked up when the program starts, so the program still loads on
// Windows 8.1, where the system's one scale serves.
#include <windows.h>

namespace wexmora::win32 {

// The dots per inch of the display the window is on (96 at 100 %).
int windowDpi(HWND window);

// `client` grown by the frame, title bar included, of a window of `style` on
// a display of `dpi`.
RECT frameAround(RECT client, DWORD style, DWORD extendedStyle, int dpi);

}  // namespace wexmora::win32
