// The program icon of the icon theme: every layout row is whole-pixel and
// centred, each size is drawn with its own pin count, the committed files
// are what the artwork tool draws today, the Windows icon file reads back
// with Qt's own reader, and the SVG shows what the largest PNG shows.
#include "tools/artwork/program_icon.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <stdexcept>

#include "support/application.h"
#include "views/pictures/pictures.h"

namespace {

using namespace wexmora;
using artwork::IconLayout;

// Fonts and pixmaps need an application object.
const auto* const kApplication = wexmora::testing::addApplication<QGuiApplication>();

const QString kIcons = QStringLiteral(WEXMORA_SOURCE_DIR "/resources/icons/");

constexpr int kThemeSizes[] = {16, 24, 32, 48, 64, 128, 256};

QByteArray fileData(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of pixels whose colour or alpha differ by more than `tolerance`.
double differingShare(const QImage& a, const QImage& b, int tolerance) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
  if (x.size() != y.size()) return 1.0;
  int differing = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
      if (d > tolerance) ++differing;
    }
  }
  return double(differing) / (x.width() * x.height());
}

TEST(ProgramIcon, OneLayoutPerThemeSizeInOrder) {
  const auto layouts = artwork::iconLayouts();
  ASSERT_EQ(layouts.size(), std::size(kThemeSizes));
  for (std::size_t i = 0; i < layouts.size(); ++i) EXPECT_EQ(layouts[i].size, kThemeSizes[i]);
  EXPECT_THROW(artwork::iconLayout(95), std::invalid_argument);
}

TEST(ProgramIcon, EveryLayoutIsCentredOnWholePixels) {
  for (const IconLayout& l : artwork::iconLayouts()) {
    SCOPED_TRACE(l.size);
    const int span = (l.pins - 1) * l.pinPitch + l.pinWidth;
    EXPECT_EQ((l.size - l.body) % 2, 0) << "the body is off the pixel grid";
    EXPECT_EQ((l.size - span) % 2, 0) << "the pins are off the pixel grid";
    EXPECT_LE(span, l.body) << "the pins overhang the body";
    EXPECT_LT(l.pinWidth, l.pinPitch) << "neighbouring pins touch";
    EXPECT_GE((l.size - l.body) / 2 - l.pinLength, l.tileMargin) << "the pins leave the tile";
    EXPECT_LE(l.cornerRadius, l.size / 4.0);
  }
}

// Runs of pin-grey pixels along the row through the middle of the top pins.
int pinsAlongTheTop(const QImage& icon, const IconLayout& l) {
  const int y = (l.size - l.body) / 2 - l.pinLength / 2 - 1;
  int runs = 0;
  bool inPin = false;
  for (int x = 0; x < icon.width(); ++x) {
    const QColor c = icon.pixelColor(x, y);
    const bool grey = c.alpha() == 255 && c.hsvSaturation() < 60 && c.value() > 120;
    if (grey && !inPin) ++runs;
    inPin = grey;
  }
  return runs;
}

TEST(ProgramIcon, EachSizeIsDrawnWithItsOwnDetail) {
  for (const IconLayout& l : artwork::iconLayouts()) {
    SCOPED_TRACE(l.size);
    const QImage icon = artwork::drawProgramIcon(l.size);
    ASSERT_EQ(icon.size(), QSize(l.size, l.size));
    EXPECT_EQ(pinsAlongTheTop(icon, l), l.pins);
    // Outside the rounded tile; at 16 px, with no margin, the rounding only softens the corner pixel.
    EXPECT_LT(qAlpha(icon.pixel(0, 0)), l.tileMargin > 0 ? 1 : 64) << "the corner is not clear";
    const int bodyStart = (l.size - l.body) / 2;
    // Diagonally off the body's corner, where no pin lies: the yellow tile.
    const QColor tile = icon.pixelColor(bodyStart - 1, bodyStart - 1);
    EXPECT_TRUE(tile.alpha() == 255 && tile.red() > 200 && tile.blue() < 110) << tile.name().toStdString();
    // Inside the body, clear of the lettering and the pin-1 mark.
    const QColor body = icon.pixelColor(bodyStart + l.body / 8 + 1, bodyStart + l.body / 4);
    EXPECT_TRUE(body.alpha() == 255 && body.lightness() < 80) << body.name().toStdString();
  }
}

TEST(ProgramIcon, CommittedFilesAreWhatTheToolDraws) {
  for (int size : kThemeSizes) {
    SCOPED_TRACE(size);
    QImage committed;
    ASSERT_TRUE(committed.load(kIcons + QStringLiteral("wexmora-%1.png").arg(size)));
    // Lettering depends on the font rasteriser: allow a few pixels to differ.
    EXPECT_LT(differingShare(committed, artwork::drawProgramIcon(size), 8), 0.01)
        << "re-run wexmora-artwork --icons resources/icons";
  }
  EXPECT_EQ(fileData(kIcons + QStringLiteral("wexmora.svg")), artwork::programIconSvg());
}

TEST(ProgramIcon, WindowsIconFileHoldsFourSizesThatReadBack) {
  const QByteArray data = fileData(kIcons + QStringLiteral("wexmora.ico"));
  ASSERT_FALSE(data.isEmpty());
  QBuffer buffer;
  buffer.setData(data);
  QImageReader reader(&buffer, "ico");
  ASSERT_EQ(reader.imageCount(), 4);
  for (int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    const QImage read = reader.read();
    ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
    QImage committed;
    ASSERT_TRUE(committed.load(kIcons + QStringLiteral("wexmora-%1.png").arg(size)));
    // Qt's icon reader passes through premultiplied alpha, so a nearly clear
    // pixel may come back one step off in colour: compare what is drawn.
    EXPECT_EQ(differingShare(read.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                             committed.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0),
              0.0);
    reader.jumpToNextImage();
  }
}

TEST(ProgramIcon, WindowsIconFileRejectsWhatItCannotHold) {
  const struct {
    QSize size;
    const char* why;
  } cases[] = {
      {{32, 16}, "not square"},
      {{300, 300}, "over 256 pixels"},
      {{0, 0}, "empty"},
  };
  for (const auto& c : cases) {
    QImage image(c.size, QImage::Format_ARGB32);
    EXPECT_THROW(artwork::icoFile({image}), std::invalid_argument) << c.why;
  }
}

TEST(ProgramIcon, SvgShowsWhatTheLargestPngShows) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("svg.png"));
  QProcess rsvg;
  rsvg.start(QStringLiteral("rsvg-convert"),
             {QStringLiteral("-w"), QStringLiteral("256"), QStringLiteral("-h"), QStringLiteral("256"),
              QStringLiteral("-o"), png, kIcons + QStringLiteral("wexmora.svg")});
  ASSERT_TRUE(rsvg.waitForFinished(30000)) << "rsvg-convert (librsvg2-bin) did not run";
  ASSERT_EQ(rsvg.exitCode(), 0) << rsvg.readAllStandardError().toStdString();
  QImage rendered;
  ASSERT_TRUE(rendered.load(png));
  // Anti-aliasing differs between the two renderers along edges only.
  EXPECT_LT(differingShare(rendered, artwork::drawProgramIcon(256), 24), 0.03);
}

// X11 takes a window's icons in one request of at most 65535 four-byte
// words; each picture takes two words of size and one word a pixel.
constexpr long kX11RequestWords = 65535;
long x11IconWords(const QSize& size) { return 2 + long{size.width()} * size.height(); }

TEST(ProgramIcon, WindowIconCarriesEveryDrawnSizeThatX11Takes) {
  const QList<QSize> sizes = pictures::programIcon().availableSizes();
  ASSERT_FALSE(sizes.isEmpty());
  EXPECT_EQ(sizes.first(), QSize(95, 95));
  // Then the drawings, smallest first, as the window system takes them; a
  // drawing too large for the request on its own would be decoded for nothing.
  QList<QSize> expected{QSize(95, 95)};
  for (int size : kThemeSizes)
    if (x11IconWords(QSize(size, size)) <= kX11RequestWords) expected.append(QSize(size, size));
  EXPECT_EQ(sizes, expected);
  EXPECT_EQ(expected.size(), 7);  // 95 px, then 16 to 128 px
  long words = 0;
  for (const QSize& size : sizes) words += x11IconWords(size);
  EXPECT_LE(words, kX11RequestWords) << "X11 would drop the largest sizes";
  // The 16 px title-bar picture is the drawing for 16 px, not a reduction.
  const QImage small = pictures::programIcon().pixmap(16, 16).toImage();
  EXPECT_EQ(differingShare(small, artwork::drawProgramIcon(16), 0), 0.0);
}

}  // namespace
