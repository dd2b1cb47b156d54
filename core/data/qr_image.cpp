#include "core/data/qr_image.h"

#include <qrencode.h>

#include <memory>
#include <stdexcept>

#include "base/site.h"
#include "core/data/key_list.h"
#include "core/data/web_pages.h"

namespace wexmora::catalogue {

// The same address a click on the QR image opens.
std::string entryQrText(std::size_t index) { return detailedPageAddress(keyAt(index)); }

std::string siteQrText() { return site::base() + "/"; }

QrSymbol encodeQr(std::string_view text, int version) {
  // The encoder takes the version as a minimum and grows the symbol when the
  // text does not fit, so the result's version is checked.
  std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
      QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()), version,
                        QR_ECLEVEL_L),
      &QRcode_free);
  if (!code) throw std::runtime_error("QR encoding failed for \"" + std::string(text) + "\"");
  if (code->version != version) {
    throw std::runtime_error("\"" + std::string(text) + "\" needs a version " + std::to_string(code->version) +
                             " QR symbol, not version " + std::to_string(version));
  }
  QrSymbol symbol;
  symbol.version = code->version;
  symbol.width = code->width;
  symbol.dark.resize(static_cast<std::size_t>(code->width) * code->width);
  for (std::size_t i = 0; i < symbol.dark.size(); ++i) symbol.dark[i] = code->data[i] & 1;  // bit 0: dark
  return symbol;
}

ArgbImage drawQr(const QrSymbol& symbol, QrPlacement placement) {
  ArgbImage image{kQrCellSize, kQrCellSize, {}};
  image.pixels.assign(static_cast<std::size_t>(kQrCellSize) * kQrCellSize, kQrTransparent);
  for (int y = 0; y < placement.size; ++y) {
    const int row = y * symbol.width / placement.size;
    for (int x = 0; x < placement.size; ++x) {
      const int column = x * symbol.width / placement.size;
      image.pixels[static_cast<std::size_t>(placement.top + y) * kQrCellSize + placement.left + x] =
          symbol.isDark(column, row) ? kQrDark : kQrLight;
    }
  }
  return image;
}

ArgbImage entryQrImage(std::size_t index) {
  return drawQr(encodeQr(entryQrText(index), kEntryQrVersion), kEntryQrPlacement);
}

ArgbImage siteQrImage() { return drawQr(encodeQr(siteQrText(), kSiteQrVersion), kSiteQrPlacement); }

}  // namespace wexmora::catalogue
