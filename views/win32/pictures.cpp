#include "views/win32/pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "core/window/display_scale.h"
#include "core/window/picture_origin.h"

namespace wexmora::win32 {
namespace {

// The RCDATA resource an artwork file of resources/images is built in as
// (resources/images/CMakeLists.txt): the file's name, upper case, "-" and "." as "_".
std::wstring resourceName(const std::string& file) {
  std::wstring name;
  for (const char c : file.substr(file.rfind('/') + 1))
    name += c == '-' || c == '.' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// Keeps COM initialised for the window thread and the imaging factory alive.
IWICImagingFactory* imagingFactory() {
  static IWICImagingFactory* factory = [] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* made = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&made));
    return made;
  }();
  return factory;
}

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

// A PNG or JPEG file built into the executable, as 32-bit pixels.
Bitmap decodeResource(const wchar_t* name) {
  Bitmap bitmap;
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  IWICImagingFactory* factory = imagingFactory();
  if (!found || !factory) return bitmap;
  HGLOBAL loaded = LoadResource(nullptr, found);
  auto* data = static_cast<BYTE*>(LockResource(loaded));
  const DWORD size = SizeofResource(nullptr, found);
  Released<IWICStream> stream;
  Released<IWICBitmapDecoder> decoder;
  Released<IWICBitmapFrameDecode> frame;
  Released<IWICFormatConverter> converter;
  if (!data || FAILED(factory->CreateStream(&stream.p)) || FAILED(stream.p->InitializeFromMemory(data, size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
      FAILED(decoder.p->GetFrame(0, &frame.p)) || FAILED(factory->CreateFormatConverter(&converter.p)) ||
      FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
    return bitmap;
  UINT width = 0, height = 0;
  converter.p->GetSize(&width, &height);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (FAILED(converter.p->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
    return bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.pixels = std::move(pixels);  // BGRA bytes are 0xAARRGGBB words
  return bitmap;
}

Bitmap fromArgb(const catalogue::ArgbImage& image) { return {image.width, image.height, image.pixels, nullptr}; }

// One bit of transparency, then the DIB section that AlphaBlend draws from.
void finish(Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0) return;
  for (auto& pixel : bitmap.pixels) pixel = (pixel >> 24) >= 128 ? (pixel | 0xFF000000u) : 0u;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bitmap.width;
  info.bmiHeader.biHeight = -bitmap.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap.handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap.handle) std::memcpy(bits, bitmap.pixels.data(), bitmap.pixels.size() * 4);
}

Bitmap make(const Picture& picture) {
  const PictureOrigin origin = pictureOrigin(picture);
  if (origin.drawn) return fromArgb(*origin.drawn);
  if (origin.file.empty()) return {};
  return decodeResource(resourceName(origin.file).c_str());
}

void scale(Bitmap& bitmap, const DisplayScale& scale, Resampling resampling) {
  if (scale.isDesign() || bitmap.width <= 0 || bitmap.height <= 0) return;
  const int width = std::max(1, scale.px(bitmap.width)), height = std::max(1, scale.px(bitmap.height));
  bitmap.pixels = resamplePixels(bitmap.pixels, bitmap.width, bitmap.height, width, height, resampling);
  bitmap.width = width;
  bitmap.height = height;
}

}  // namespace

const Bitmap* picture(const Picture& wanted, int dpi) {
  static std::map<std::tuple<PictureSource, int, int>, Bitmap> made;
  const auto key = std::make_tuple(wanted.source, wanted.index, dpi);
  auto found = made.find(key);
  if (found == made.end()) {
    Bitmap bitmap = make(wanted);
    const bool qr =
        wanted.source == PictureSource::Qr || (wanted.source == PictureSource::Badges && wanted.index == kSiteQrBadge);
    scale(bitmap, DisplayScale{dpi}, qr ? Resampling::Nearest : Resampling::Smooth);
    finish(bitmap);
    found = made.emplace(key, std::move(bitmap)).first;
  }
  return found->second.handle ? &found->second : nullptr;
}

void drawPicture(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height, bool stretch) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap.handle);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (stretch) {
    AlphaBlend(dc, x, y, width, height, source, 0, 0, bitmap.width, bitmap.height, blend);
  } else {
    const int w = std::min(width, bitmap.width), h = std::min(height, bitmap.height);
    if (w > 0 && h > 0) AlphaBlend(dc, x, y, w, h, source, 0, 0, w, h, blend);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

HICON programIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
}

}  // namespace wexmora::win32
