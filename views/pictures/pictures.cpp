#include "views/pictures/pictures.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "core/window/picture_origin.h"
#include "views/pictures/jpeg_decode.h"

namespace wexmora::pictures {
namespace {

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
  const PictureOrigin origin = pictureOrigin(picture);
  if (origin.drawn) return fromArgb(*origin.drawn);
  if (origin.file.empty()) return {};
  // The artwork of resources/images is built in under this prefix (resources/images/CMakeLists.txt).
  QImage image =
      loadFile(QStringLiteral(":/wexmora/images/") + QString::fromStdString(origin.file), isJpegFile(origin.file));
  return picture.source == PictureSource::Badges ? image.convertToFormat(QImage::Format_ARGB32) : image;
}

// The pictures a start-up thread decoded ahead of the window thread, each
// waiting for the image() that takes it.
std::mutex aheadGuard;
std::map<std::pair<PictureSource, int>, QImage> madeAhead;

}  // namespace

QImage image(const Picture& picture) {
  {
    const std::lock_guard lock(aheadGuard);
    if (auto found = madeAhead.find({picture.source, picture.index}); found != madeAhead.end()) {
      QImage result = std::move(found->second);
      madeAhead.erase(found);
      return result;
    }
  }
  return make(picture);
}

void decodeAhead(const Picture& picture) {
  QImage made = make(picture);
  const std::lock_guard lock(aheadGuard);
  if (!made.isNull()) madeAhead.insert_or_assign({picture.source, picture.index}, std::move(made));
}

namespace {

// The icon's pictures: the 95 px picture, then the theme sizes
// (resources/icons, 16 to 128 px: the ones X11 can carry), smallest first.
// Decoded once, on whichever thread asks first. The names are matched by
// hand: a QDir name filter compiles a regular expression, which costs the
// window about 0.45 MiB of PCRE2 code.
std::vector<QImage>& iconImages() {
  static std::vector<QImage> images = [] {
    std::vector<QImage> drawings;
    const QDir themeSizes(QStringLiteral(":/wexmora/icons"));
    for (const QString& name : themeSizes.entryList(QDir::Files))
      if (name.startsWith(QLatin1String("wexmora-")) && name.endsWith(QLatin1String(".png")))
        drawings.emplace_back(themeSizes.filePath(name));
    std::sort(drawings.begin(), drawings.end(), [](const QImage& a, const QImage& b) { return a.width() < b.width(); });
    drawings.insert(drawings.begin(), image({PictureSource::Design, kIcon}));
    return drawings;
  }();
  return images;
}

}  // namespace

void decodeProgramIcon() { iconImages(); }

QIcon programIcon() {
  // Shared by both windows; the theme sizes let title bars and task bars get
  // a drawing made for their size rather than the 95 px picture scaled down.
  // Smallest first: X11 carries the sizes in this order only as far as one
  // request holds, so the large ones are the ones to fall away.
  static const QIcon icon = [] {
    QIcon made;
    for (QImage& drawing : iconImages()) made.addPixmap(QPixmap::fromImage(std::move(drawing)));
    iconImages() = {};  // the pixmaps hold the pixels now
    return made;
  }();
  return icon;
}

}  // namespace wexmora::pictures
