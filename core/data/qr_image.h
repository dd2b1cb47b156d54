#pragma once
// The QR list (ImageList2) and the site QR code of badge 47. Each image is a
// QR symbol drawn black on white into a square of a 128x128 cell whose other
// pixels are transparent; the transparent border is the symbol's quiet zone
// once the cell is drawn over the window's light background.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wexmora::catalogue {

// A QR symbol as the encoder made it: width x width modules, row by row.
struct QrSymbol {
  int version = 0;
  int width = 0;
  std::vector<std::uint8_t> dark;  // 1 = dark module
  bool isDark(int x, int y) const { return dark[static_cast<std::size_t>(y) * width + x] != 0; }
};

// 32-bit 0xAARRGGBB pixels, row by row (the layout of QImage::Format_ARGB32).
struct ArgbImage {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::uint32_t kQrDark = 0xFF000000;
inline constexpr std::uint32_t kQrLight = 0xFFFFFFFF;
inline constexpr std::uint32_t kQrTransparent = 0x00000000;
inline constexpr int kQrCellSize = 128;

// Where the symbol's square lies in the cell.
struct QrPlacement {
  int left, top, size;
};
inline constexpr QrPlacement kEntryQrPlacement{16, 17, 95};
inline constexpr QrPlacement kSiteQrPlacement{16, 16, 95};
inline constexpr int kEntryQrVersion = 3;  // 29 x 29 modules
inline constexpr int kSiteQrVersion = 2;   // 25 x 25 modules

// The detailed-page address entry `index` encodes: the site's base, then
// "/cpu/detailed-", the key with its blank as "_", ".html".
std::string entryQrText(std::size_t index);
// The site's root address, "https://" + host + "/".
std::string siteQrText();

// `text` as one byte-mode segment at error-correction level L in a symbol of
// exactly `version`; throws std::runtime_error when it does not fit there.
QrSymbol encodeQr(std::string_view text, int version);

// The symbol scaled into the placement's square of a transparent cell; each
// pixel of the square shows the module its position falls in.
ArgbImage drawQr(const QrSymbol& symbol, QrPlacement placement);

// Image `index` of the QR list, made on each call (callers cache it).
ArgbImage entryQrImage(std::size_t index);
// The site QR code shown as badge 47.
ArgbImage siteQrImage();

}  // namespace wexmora::catalogue
