#include "core/window/picture_origin.h"

#include <cstdio>

#include "core/data/key_list.h"

namespace wexmora {
namespace {

// clang-format off
// The artwork of the pictures built into the forms, by design picture.
struct DesignFile {
  DesignPicture picture;
  const char* file;
};
constexpr DesignFile kDesignFiles[] = {
  // picture      file
  {kFrontPhoto,  "front-photo.jpg"},
  {kBackPhoto,   "back-photo.jpg"},
  {kAboutGlyph,  "about-glyph.png"},
  {kCameraGlyph, "camera-glyph.png"},
  {kAboutLogo,   "about-logo.jpg"},
  {kIcon,        "icon.png"},
};
// clang-format on

std::string badgeFile(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "badges/badge-%02d.png", index);
  return name;
}

}  // namespace

PictureOrigin pictureOrigin(const Picture& picture) {
  switch (picture.source) {
    case PictureSource::None:
      return {};
    case PictureSource::Badges:
      if (picture.index == kSiteQrBadge) return {"", catalogue::siteQrImage()};
      if (picture.index < 0 || picture.index >= kSiteQrBadge) return {};
      return {badgeFile(picture.index), std::nullopt};
    case PictureSource::Qr:
      if (picture.index < 0 || static_cast<std::size_t>(picture.index) >= catalogue::kEntryCount) return {};
      return {"", catalogue::entryQrImage(static_cast<std::size_t>(picture.index))};
    case PictureSource::Design:
      for (const auto& design : kDesignFiles)
        if (design.picture == picture.index) return {design.file, std::nullopt};
      return {};
  }
  return {};
}

bool isJpegFile(std::string_view file) { return file.ends_with(".jpg"); }

}  // namespace wexmora
