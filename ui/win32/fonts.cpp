#include "ui/win32/fonts.h"

#include <map>
#include <utility>

#include "ui/display_scale.h"

namespace wexmora::win32 {
namespace {

HFONT make(const wchar_t* family, int pixels) {
  // A negative height is the character height in pixels, as the form designer's.
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
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
      font = make(L"Times New Roman", scale.px(12));
      break;
    case FontFace::TimesNewRoman11:
      font = make(L"Times New Roman", scale.px(11));
      break;
    case FontFace::Tahoma11:
      font = make(L"Tahoma", scale.px(11));
      break;
  }
  made.emplace(key, font);
  return font;
}

}  // namespace wexmora::win32
