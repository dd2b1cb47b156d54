#pragma once
// The pictures of the Win32 windows as device-independent bitmaps: the badge
// list, the QR list and the photos, glyphs, logo and icon built into the
// program. The artwork files of resources/images are built into the
// executable as they are and decoded with the Windows Imaging Component;
// the QR list is drawn by the same code as on Linux. Transparency is one bit,
// as in an image list: a pixel is either drawn or not.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/model/form_model.h"

namespace wexmora::win32 {

struct Bitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, top row first; alpha is 0 or 255
  HBITMAP handle = nullptr;           // a 32-bit top-down DIB section of the pixels, premultiplied
};

// The bitmap a model picture stands for, made on first use and kept for the
// run; nullptr for PictureSource::None, an index outside its list or an
// image that cannot be decoded. At a `dpi` other than 96 it is resampled to
// the scaled size: smoothly, QR codes module by module.
const Bitmap* picture(const Picture& picture, int dpi = 96);

// Draws the bitmap with its top-left corner at x, y, clipped to width x
// height; transparent pixels leave what is below. `stretch` scales it to
// width x height instead.
void drawPicture(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height, bool stretch);

// The program icon from the executable's resources, at the given size.
HICON programIcon(int size);

}  // namespace wexmora::win32
