// wexmora-artwork: draws the program's built-in pictures.
//   wexmora-artwork --out resources/images      re-renders every artwork file
//   wexmora-artwork --icons resources/icons     the program icon at every theme size,
//                                               as SVG and as a Windows icon file
//   wexmora-artwork --contact-sheet sheet.png   all 48 badges on one sheet
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/window/jpeg_writer.h"
#include "tools/artwork/badges.h"
#include "tools/artwork/contact_sheet.h"
#include "tools/artwork/design_pictures.h"
#include "tools/artwork/program_icon.h"
#include "views/pictures/pictures.h"

namespace {

using namespace wexmora;

void savePng(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

void saveJpeg(const QImage& image, const QString& path) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out{rgb.width(), rgb.height(), {}};
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = rgb.constScanLine(y);
    out.pixels.insert(out.pixels.end(), line, line + rgb.width() * 3);
  }
  writeJpegFile(out, path.toStdString());
}

void writeArtwork(const QString& directory) {
  QDir dir(directory);
  if (!dir.mkpath(QStringLiteral("badges"))) throw std::runtime_error("cannot create " + directory.toStdString());
  for (int i = 0; i < artwork::kDrawnBadgeCount; ++i) {
    savePng(artwork::drawBadge(i), dir.filePath(QStringLiteral("badges/badge-%1.png").arg(i, 2, 10, QLatin1Char('0'))));
  }
  saveJpeg(artwork::drawFrontPhoto(), dir.filePath(QStringLiteral("front-photo.jpg")));
  saveJpeg(artwork::drawBackPhoto(), dir.filePath(QStringLiteral("back-photo.jpg")));
  saveJpeg(artwork::drawAboutLogo(), dir.filePath(QStringLiteral("about-logo.jpg")));
  savePng(artwork::drawIcon().convertToFormat(QImage::Format_RGB888), dir.filePath(QStringLiteral("icon.png")));
  savePng(artwork::drawAboutGlyph(), dir.filePath(QStringLiteral("about-glyph.png")));
  savePng(artwork::drawCameraGlyph(), dir.filePath(QStringLiteral("camera-glyph.png")));
}

void saveFile(const QByteArray& data, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
    throw std::runtime_error("cannot write " + path.toStdString());
}

// The sizes the Windows icon file carries: the list and title bar (16), the
// task bar (32), the desktop (48) and large views (256).
constexpr int kWindowsIconSizes[] = {16, 32, 48, 256};

void writeIcons(const QString& directory) {
  QDir dir(directory);
  if (!dir.mkpath(QStringLiteral("."))) throw std::runtime_error("cannot create " + directory.toStdString());
  for (const auto& layout : artwork::iconLayouts()) {
    savePng(artwork::drawProgramIcon(layout.size), dir.filePath(QStringLiteral("wexmora-%1.png").arg(layout.size)));
  }
  saveFile(artwork::programIconSvg(), dir.filePath(QStringLiteral("wexmora.svg")));
  std::vector<QImage> windowsImages;
  for (int size : kWindowsIconSizes) windowsImages.push_back(artwork::drawProgramIcon(size));
  saveFile(artwork::icoFile(windowsImages), dir.filePath(QStringLiteral("wexmora.ico")));
}

void writeContactSheet(const QString& path) {
  std::vector<QImage> badges;
  for (int i = 0; i < artwork::kDrawnBadgeCount; ++i) badges.push_back(artwork::drawBadge(i));
  badges.push_back(pictures::image({PictureSource::Badges, kSiteQrBadge}));  // the site QR code
  savePng(artwork::contactSheet(badges), path);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");  // no window needed
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  QString out, icons, sheet;
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == QLatin1String("--out")) {
      out = args[i + 1];
    } else if (args[i] == QLatin1String("--icons")) {
      icons = args[i + 1];
    } else if (args[i] == QLatin1String("--contact-sheet")) {
      sheet = args[i + 1];
    }
  }
  if (out.isEmpty() && icons.isEmpty() && sheet.isEmpty()) {
    std::fputs("usage: wexmora-artwork [--out DIRECTORY] [--icons DIRECTORY] [--contact-sheet FILE.png]\n", stderr);
    return 2;
  }
  try {
    if (!out.isEmpty()) writeArtwork(out);
    if (!icons.isEmpty()) writeIcons(icons);
    if (!sheet.isEmpty()) writeContactSheet(sheet);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wexmora-artwork: %s\n", e.what());
    return 1;
  }
  return 0;
}
