#include "ui/pictures/pictures.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "catalogue/data/key_list.h"
#include "catalogue/data/qr_image.h"
#include "ui/pictures/jpeg_decode.h"

namespace wexmora::pictures {
namespace {

// The site QR code is the last badge; the ones before it are artwork files.
constexpr int kSiteQrBadge = kBadgeCount - 1;

// The artwork built into the program (resources/images), by design picture.
struct DesignFile {
  DesignPicture picture;
  const char* path;
  bool jpeg;  // decoded by libjpeg; the others are PNG
};
// clang-format off
constexpr DesignFile kDesignFiles[] = {
    // picture      resource path                          jpeg
    {kFrontPhoto,  ":/wexmora/images/front-photo.jpg",    true },
    {kBackPhoto,   ":/wexmora/images/back-photo.jpg",     true },
    {kAboutGlyph,  ":/wexmora/images/about-glyph.png",    false},
    {kCameraGlyph, ":/wexmora/images/camera-glyph.png",   false},
    {kAboutLogo,   ":/wexmora/images/about-logo.jpg",     true },
    {kIcon,        ":/wexmora/images/icon.png",           false},
};
// clang-format on

QImage fromArgb(const catalogue::ArgbImage& argb) {
  QImage image(argb.width, argb.height, QImage::Format_ARGB32);
  for (int y = 0; y < argb.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < argb.width; ++x) line[x] = argb.at(x, y);
  }
  return image;
}

QImage loadFile(const QString& path, bool jpeg) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  if (jpeg) return decodeJpeg(data);
  QImage image;
  image.loadFromData(data, "PNG");
  return image;
}

QImage make(const Picture& picture) {
  switch (picture.source) {
    case PictureSource::None:
      return {};
    case PictureSource::Badges:
      if (picture.index == kSiteQrBadge) return fromArgb(catalogue::siteQrImage());
      if (picture.index < 0 || picture.index >= kSiteQrBadge) return {};
      return loadFile(badgeResourcePath(picture.index), false).convertToFormat(QImage::Format_ARGB32);
    case PictureSource::Qr:
      if (picture.index < 0 || static_cast<std::size_t>(picture.index) >= catalogue::kEntryCount) return {};
      return fromArgb(catalogue::entryQrImage(static_cast<std::size_t>(picture.index)));
    case PictureSource::Design:
      for (const auto& file : kDesignFiles) {
        if (file.picture == picture.index) return loadFile(file.path, file.jpeg);
      }
      return {};
  }
  return {};
}

}  // namespace

QString badgeResourcePath(int index) {
  return QStringLiteral(":/wexmora/images/badges/badge-%1.png").arg(index, 2, 10, QLatin1Char('0'));
}

QImage image(const Picture& picture) {
  // Made on first use and kept for the run; the window thread is the only user.
  static std::map<std::pair<PictureSource, int>, QImage> made;
  const auto key = std::make_pair(picture.source, picture.index);
  if (auto found = made.find(key); found != made.end()) return found->second;
  QImage result = make(picture);
  if (!result.isNull()) made.emplace(key, result);
  return result;
}

QIcon programIcon() {
  // Shared by both windows; the theme sizes (resources/icons) let title bars
  // and task bars get a drawing made for their size rather than the 95 px
  // picture scaled down. Smallest first: X11 carries the sizes in this order
  // only as far as one request holds, so the large ones are the ones to fall
  // away.
  static const QIcon icon = [] {
    QIcon made(QPixmap::fromImage(image({PictureSource::Design, kIcon})));
    const QDir themeSizes(QStringLiteral(":/wexmora/icons"), QStringLiteral("wexmora-*.png"));
    std::vector<QPixmap> drawings;
    for (const QString& name : themeSizes.entryList()) drawings.emplace_back(themeSizes.filePath(name));
    std::sort(drawings.begin(), drawings.end(),
              [](const QPixmap& a, const QPixmap& b) { return a.width() < b.width(); });
    for (const QPixmap& drawing : drawings) made.addPixmap(drawing);
    return made;
  }();
  return icon;
}

}  // namespace wexmora::pictures
