#include "views/win32/fonts.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <utility>

#include "core/window/display_scale.h"

namespace wexmora::win32 {
namespace {

HFONT make(const wchar_t* family, int pixels) {
  // A negative height is the character height in pixels, as the form designer's.
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
}

// Both alphabets and the digits, as the captions use them.
constexpr const wchar_t* kSample = L"Базовая частота, Турбо частота; Base frequency, Turbo frequency 0123456789";

int sampleWidth(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, kSample, static_cast<int>(wcslen(kSample)), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// The face at the scale: the scaled height, or less where the hinted glyphs
// of that height run wider than the design's text times the scale (Tahoma
// at 17 pixels is 4 % wider than 1.5 times Tahoma at 11), so that every
// caption keeps the room the design gave it.
HFONT makeScaled(const wchar_t* family, int designPixels, const DisplayScale& scale) {
  if (scale.isDesign()) return make(family, designPixels);
  HFONT design = make(family, designPixels);
  const long long room = static_cast<long long>(sampleWidth(design)) * scale.dpi;
  DeleteObject(design);
  const int floor = std::max(1, scale.px(designPixels) * 9 / 10);
  for (int pixels = scale.px(designPixels);; --pixels) {
    HFONT font = make(family, pixels);
    if (pixels <= floor || static_cast<long long>(sampleWidth(font)) * kDesignDpi <= room) return font;
    DeleteObject(font);
  }
}

}  // namespace

HFONT controlFont(FontFace face, int dpi) {
  static std::map<std::pair<FontFace, int>, HFONT> made;
  const auto key = std::make_pair(face, dpi);
  if (const auto found = made.find(key); found != made.end()) return found->second;
  const DisplayScale scale{dpi};
  HFONT font = nullptr;
  switch (face) {
    case FontFace::TimesNewRoman12:
      font = makeScaled(L"Times New Roman", 12, scale);
      break;
    case FontFace::TimesNewRoman11:
      font = makeScaled(L"Times New Roman", 11, scale);
      break;
    case FontFace::Tahoma11:
      font = makeScaled(L"Tahoma", 11, scale);
      break;
  }
  made.emplace(key, font);
  return font;
}

}  // namespace wexmora::win32
