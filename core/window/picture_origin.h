#pragma once
// Where the pixels of each picture of the window model come from, decided
// once for every view: an artwork file built into the program from
// resources/images, or an image drawn in code (the QR codes). A view only
// turns the file or the drawn pixels into its own kind of image.
#include <optional>
#include <string>
#include <string_view>

#include "core/data/qr_image.h"
#include "core/model/form_model.h"

namespace wexmora {

// The badge list: badges 0-45 are product badges, 46 the no-photo sign and
// 47 the site's QR code.
inline constexpr int kBadgeCount = 48;
inline constexpr int kNoPhotoBadge = 46;
inline constexpr int kSiteQrBadge = kBadgeCount - 1;

struct PictureOrigin {
  std::string file;                           // under resources/images, e.g. "badges/badge-07.png"; "" otherwise
  std::optional<catalogue::ArgbImage> drawn;  // the QR codes
  bool none() const { return file.empty() && !drawn; }
};

// Nothing for PictureSource::None and for an index outside its list.
PictureOrigin pictureOrigin(const Picture& picture);

// Whether an artwork file is a JPEG (the others are PNG).
bool isJpegFile(std::string_view file);

}  // namespace wexmora
