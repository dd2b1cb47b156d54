#include "ui/win32/fonts.h"

namespace wexmora::win32 {
namespace {

HFONT make(const wchar_t* family, int pixels) {
  // A negative height is the character height in pixels, as the form designer's.
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
}

}  // namespace

HFONT controlFont(FontFace face) {
  static const HFONT tahoma11 = make(L"Tahoma", 11);
  static const HFONT times12 = make(L"Times New Roman", 12);
  static const HFONT times11 = make(L"Times New Roman", 11);
  switch (face) {
    case FontFace::TimesNewRoman12:
      return times12;
    case FontFace::TimesNewRoman11:
      return times11;
    case FontFace::Tahoma11:
      break;
  }
  return tahoma11;
}

}  // namespace wexmora::win32
