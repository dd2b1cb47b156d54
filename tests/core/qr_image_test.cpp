// The QR list and the site QR code: what each symbol says (read back with a
// real decoder), its version and error-correction level, and where it lies
// in the 128x128 cell.
#include "core/data/qr_image.h"

#include <gtest/gtest.h>
#include <zbar.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "base/site.h"
#include "core/data/key_list.h"

namespace wexmora::catalogue {
namespace {

// The image over a white background, as 8-bit grey for the decoder.
std::vector<unsigned char> overWhite(const ArgbImage& image) {
  std::vector<unsigned char> grey(image.pixels.size());
  for (std::size_t i = 0; i < grey.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    const unsigned alpha = p >> 24, green = (p >> 8) & 0xFF;
    grey[i] = static_cast<unsigned char>((green * alpha + 255 * (255 - alpha)) / 255);
  }
  return grey;
}

// Every QR text the decoder finds in the image.
std::vector<std::string> decodeAll(const ArgbImage& image) {
  std::unique_ptr<zbar::zbar_image_scanner_t, decltype(&zbar::zbar_image_scanner_destroy)> scanner(
      zbar::zbar_image_scanner_create(), &zbar::zbar_image_scanner_destroy);
  zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
  zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
  std::vector<unsigned char> grey = overWhite(image);
  std::unique_ptr<zbar::zbar_image_t, decltype(&zbar::zbar_image_destroy)> frame(zbar::zbar_image_create(),
                                                                                 &zbar::zbar_image_destroy);
  zbar::zbar_image_set_format(frame.get(), zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(frame.get(), image.width, image.height);
  zbar::zbar_image_set_data(frame.get(), grey.data(), grey.size(), nullptr);
  std::vector<std::string> texts;
  if (zbar::zbar_scan_image(scanner.get(), frame.get()) > 0) {
    for (auto* s = zbar::zbar_image_first_symbol(frame.get()); s; s = zbar::zbar_symbol_next(s)) {
      if (zbar::zbar_symbol_get_type(s) == zbar::ZBAR_QRCODE) texts.emplace_back(zbar::zbar_symbol_get_data(s));
    }
  }
  return texts;
}

// The error-correction level the symbol's format information announces:
// 1 = L, 0 = M, 3 = Q, 2 = H. Read from the copy beside the top-left finder.
int errorCorrectionLevel(const QrSymbol& symbol) {
  int format = 0;
  auto bit = [&](int i, int x, int y) { format |= (symbol.isDark(x, y) ? 1 : 0) << i; };
  for (int i = 0; i < 6; ++i) bit(i, 8, i);
  bit(6, 8, 7);
  bit(7, 8, 8);
  bit(8, 7, 8);
  for (int i = 9; i < 15; ++i) bit(i, 14 - i, 8);
  return (format ^ 0x5412) >> 13;
}

// The key as it appears in the address, written out here independently.
struct TextCase {
  std::size_t index;
  const char* urlKey;
};
// clang-format off
const TextCase kTextCases[] = {
    {  0, "E5405"      },
    { 26, "Q8200"      },
    { 27, "Q8200S"     },
    {130, "E3-1220"    },
    {171, "E3-1220_V2" },
    {172, "E3-1220L_V2"},
    {174, "E3-1230_V2" },
    {411, "i9-9900K"   },
    {577, "i9-14900KF" },
};
// clang-format on

TEST(QrText, AddressOfTheDetailedPage) {
  for (const auto& c : kTextCases) {
    EXPECT_EQ(entryQrText(c.index), "https://" + std::string(site::kHost) + "/cpu/detailed-" + c.urlKey + ".html")
        << c.index;
  }
  EXPECT_EQ(siteQrText(), "https://" + std::string(site::kHost) + "/");
}

TEST(QrList, EveryEntryDecodesToItsAddressInAVersion3LevelLSymbol) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::string text = entryQrText(i);
    EXPECT_EQ(text.find(' '), std::string::npos) << i;
    const QrSymbol symbol = encodeQr(text, kEntryQrVersion);
    EXPECT_EQ(symbol.version, 3) << i;
    EXPECT_EQ(symbol.width, 29) << i;
    EXPECT_EQ(errorCorrectionLevel(symbol), 1) << i;
    const ArgbImage image = entryQrImage(i);
    ASSERT_EQ(image.width, 128);
    ASSERT_EQ(image.height, 128);
    EXPECT_EQ(decodeAll(image), std::vector<std::string>{text}) << "entry " << i << " (" << keyAt(i) << ")";
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), kEntryCount);
}

TEST(QrList, SiteCodeDecodesToTheRootInAVersion2LevelLSymbol) {
  const QrSymbol symbol = encodeQr(siteQrText(), kSiteQrVersion);
  EXPECT_EQ(symbol.version, 2);
  EXPECT_EQ(symbol.width, 25);
  EXPECT_EQ(errorCorrectionLevel(symbol), 1);
  const ArgbImage image = siteQrImage();
  ASSERT_EQ(image.width, 128);
  EXPECT_EQ(decodeAll(image), std::vector<std::string>{siteQrText()});
}

// The longest text a version holds in one byte segment at level L.
struct CapacityCase {
  int version;
  std::size_t length;
  bool fits;
};
// clang-format off
const CapacityCase kCapacityCases[] = {
    {2, 32, true }, {2, 33, false},
    {3, 53, true }, {3, 54, false},
    {3,  1, true },  // a short text stays in the version asked for
};
// clang-format on

TEST(QrEncode, TextThatOutgrowsTheVersionIsRefused) {
  for (const auto& c : kCapacityCases) {
    const std::string text(c.length, 'x');
    if (c.fits) {
      EXPECT_EQ(encodeQr(text, c.version).version, c.version) << c.version << "/" << c.length;
    } else {
      EXPECT_THROW(encodeQr(text, c.version), std::runtime_error) << c.version << "/" << c.length;
    }
  }
}

TEST(QrEncode, LongestCatalogueAddressFitsVersion3WithTheLongestHost) {
  // A 15-character host and the longest key (11 characters) make 53 bytes.
  const std::string text = "https://" + std::string(15, 'h') + "/cpu/detailed-E3-1265L_V2.html";
  EXPECT_EQ(text.size(), 53u);
  EXPECT_EQ(encodeQr(text, kEntryQrVersion).version, 3);
}

// The square of each kind of QR image in the cell, and pixels that must show
// particular modules: the three finders' outer corners, the top-left finder's
// light ring and dark core, and the separator just past its seventh module.
struct PlacementCase {
  const char* name;
  ArgbImage (*make)();
  int left, top, right, bottom;  // inclusive
  int finderEdge;                // last pixel column of module 6 from the left
};
ArgbImage firstEntry() { return entryQrImage(0); }
ArgbImage longestEntry() { return entryQrImage(172); }
// clang-format off
const PlacementCase kPlacementCases[] = {
    {"entry 0",   firstEntry,   16, 17, 110, 111, 16 + 22},  // 29 modules in 95 px
    {"entry 172", longestEntry, 16, 17, 110, 111, 16 + 22},
    {"site",      siteQrImage,  16, 16, 110, 110, 16 + 26},  // 25 modules in 95 px
};
// clang-format on

TEST(QrImage, SymbolFillsItsSquareAndEverythingElseIsTransparent) {
  for (const auto& c : kPlacementCases) {
    const ArgbImage image = c.make();
    int dark = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const bool inside = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
        const std::uint32_t p = image.at(x, y);
        if (inside) {
          ASSERT_TRUE(p == kQrDark || p == kQrLight) << c.name << " at " << x << "," << y;
          dark += p == kQrDark;
        } else {
          ASSERT_EQ(p, kQrTransparent) << c.name << " at " << x << "," << y;
        }
      }
    }
    const int area = (c.right - c.left + 1) * (c.bottom - c.top + 1);
    EXPECT_GT(dark, area / 3) << c.name;
    EXPECT_LT(dark, area * 2 / 3) << c.name;
    EXPECT_EQ(image.at(c.left, c.top), kQrDark) << c.name;
    EXPECT_EQ(image.at(c.right, c.top), kQrDark) << c.name;
    EXPECT_EQ(image.at(c.left, c.bottom), kQrDark) << c.name;
    EXPECT_EQ(image.at(c.left + 5, c.top + 5), kQrLight) << c.name << ": the finder's light ring";
    EXPECT_EQ(image.at(c.left + 11, c.top + 11), kQrDark) << c.name << ": the finder's dark core";
    EXPECT_EQ(image.at(c.finderEdge, c.top), kQrDark) << c.name;
    EXPECT_EQ(image.at(c.finderEdge + 1, c.top), kQrLight) << c.name;
  }
}

}  // namespace
}  // namespace wexmora::catalogue
