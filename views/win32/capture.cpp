#include "views/win32/capture.h"

#include <cstring>

namespace wexmora::win32 {

RgbImage ScreenCapture::capture(int width, int height) {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT outer{};
  GetWindowRect(window_, &outer);
  width += (outer.right - outer.left) - designWidth_;
  height += (outer.bottom - outer.top) - designHeight_;
  RgbImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, 0)};
  if (width <= 0 || height <= 0) return image;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const auto* rows = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* bgr = rows + y * stride + x * 3;
        std::uint8_t* rgb = image.pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        rgb[0] = bgr[2];
        rgb[1] = bgr[1];
        rgb[2] = bgr[0];
      }
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace wexmora::win32
