#include "views/win32/window_dpi.h"

namespace wexmora::win32 {
namespace {

template <typename Function>
Function user32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  // A cast between function pointer types: GetProcAddress's own return type.
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

int windowDpi(HWND window) {
  static const auto dpiForWindow = user32Function<DpiForWindow>("GetDpiForWindow");
  if (dpiForWindow && window)
    if (const UINT dpi = dpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

RECT frameAround(RECT client, DWORD style, DWORD extendedStyle, int dpi) {
  static const auto adjustForDpi = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
  if (adjustForDpi)
    adjustForDpi(&client, style, FALSE, extendedStyle, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&client, style, FALSE, extendedStyle);
  return client;
}

}  // namespace wexmora::win32
