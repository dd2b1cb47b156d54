// The pictures the windows show: each badge within its shape, the generated
// QR images, the built-in design pictures, the JPEG decoder and the pictures
// decoded ahead.
#include "views/pictures/pictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <set>
#include <thread>
#include <vector>

#include "core/data/key_list.h"
#include "core/data/qr_image.h"
#include "support/application.h"
#include "views/pictures/jpeg_decode.h"

namespace wexmora::pictures {
namespace {

// QIcon and QPixmap need an application object.
const auto* const kQt = wexmora::testing::addApplication<QGuiApplication>();

// The three places a badge may cover in its 128x128 cell.
const QRect kWide(0, 16, 128, 95);     // rows 16-110
const QRect kUpright(29, 16, 70, 95);  // columns 29-98
const QRect kSquare(16, 16, 95, 95);   // from (16, 16)

struct ShapeRange {
  int first, last;
  QRect shape;
};
// clang-format off
const ShapeRange kShapes[] = {
    { 0, 11, kWide   },  // white ring, die band, black, die corner
    {12, 17, kUpright},  // upright with the die strip
    {18, 47, kSquare },  // framed, dotted and flat squares, no photo, site QR
};
// clang-format on

QImage badge(int index) { return image({PictureSource::Badges, index}); }

QImage fromArgb(const catalogue::ArgbImage& argb) {
  QImage out(argb.width, argb.height, QImage::Format_ARGB32);
  for (int y = 0; y < argb.height; ++y) {
    for (int x = 0; x < argb.width; ++x) out.setPixel(x, y, argb.at(x, y));
  }
  return out;
}

TEST(Badges, EachBadgeFillsItsShapeAndLeavesTheRestTransparent) {
  int checked = 0;
  for (const auto& range : kShapes) {
    for (int i = range.first; i <= range.last; ++i, ++checked) {
      const QImage b = badge(i);
      ASSERT_EQ(b.size(), QSize(128, 128)) << "badge " << i;
      QRect covered;
      int opaque = 0;
      for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
          const int alpha = qAlpha(b.pixel(x, y));
          ASSERT_TRUE(alpha == 0 || alpha == 255) << "badge " << i << ": partial alpha at " << x << "," << y;
          if (alpha == 0) continue;
          ASSERT_TRUE(range.shape.contains(x, y)) << "badge " << i << " covers " << x << "," << y;
          covered |= QRect(x, y, 1, 1);
          ++opaque;
        }
      }
      EXPECT_EQ(covered, range.shape) << "badge " << i << " does not reach every side of its shape";
      EXPECT_GT(opaque, range.shape.width() * range.shape.height() * 85 / 100) << "badge " << i;
    }
  }
  EXPECT_EQ(checked, kBadgeCount);
}

TEST(Badges, NoTwoBadgesAreTheSamePicture) {
  std::set<QByteArray> seen;
  for (int i = 0; i < kBadgeCount; ++i) {
    const QImage b = badge(i);
    EXPECT_TRUE(seen.emplace(reinterpret_cast<const char*>(b.constBits()), b.sizeInBytes()).second) << i;
  }
}

TEST(Badges, LastBadgeIsTheSiteQrCode) { EXPECT_EQ(badge(kBadgeCount - 1), fromArgb(catalogue::siteQrImage())); }

// Indices outside the lists give no picture rather than a wrong one.
struct MissingCase {
  Picture picture;
  const char* what;
};
// clang-format off
const MissingCase kMissing[] = {
    {{PictureSource::None,    0},    "none"          },
    {{PictureSource::Badges, -1},    "badge -1"      },
    {{PictureSource::Badges, 48},    "badge 48"      },
    {{PictureSource::Qr,     -1},    "QR -1"         },
    {{PictureSource::Qr,     578},   "QR 578"        },
    {{PictureSource::Design, -1},    "design -1"     },
    {{PictureSource::Design, kIcon + 1}, "design past the icon"},
};
// clang-format on

TEST(Pictures, IndicesOutsideTheListsGiveANullImage) {
  for (const auto& c : kMissing) EXPECT_TRUE(image(c.picture).isNull()) << c.what;
}

TEST(Pictures, QrImagesAreTheEntriesCodes) {
  for (int index : {0, 174, 577})
    EXPECT_EQ(image({PictureSource::Qr, index}), fromArgb(catalogue::entryQrImage(static_cast<std::size_t>(index))))
        << index;
  EXPECT_NE(image({PictureSource::Qr, 26}), image({PictureSource::Qr, 27}));  // Q8200 and Q8200S
}

// A picture decoded ahead goes to the next image() of that picture and to no
// other; after that, nothing of it is kept: each image() makes it anew.
struct AheadCase {
  Picture picture;
  const char* what;
};
// clang-format off
const AheadCase kAhead[] = {
    {{PictureSource::Design, kFrontPhoto},    "front photo (JPEG)"},
    {{PictureSource::Design, kCameraGlyph},   "camera glyph (PNG)"},
    {{PictureSource::Badges, 7},              "badge 7"},
    {{PictureSource::Badges, kSiteQrBadge},   "site QR badge"},
    {{PictureSource::Qr, 174},                "QR code 174"},
};
// clang-format on

TEST(Pictures, APictureDecodedAheadIsHandedOverOnceAndNotKept) {
  for (const auto& c : kAhead) {
    const QImage made = image(c.picture);  // nothing waits yet: made on the spot
    ASSERT_FALSE(made.isNull()) << c.what;
    std::jthread([&c] { decodeAhead(c.picture); }).join();
    const QImage handed = image(c.picture);
    EXPECT_EQ(handed, made) << c.what;
    EXPECT_NE(handed.cacheKey(), made.cacheKey()) << c.what << ": the earlier image was kept";
    const QImage again = image(c.picture);
    EXPECT_EQ(again, made) << c.what;
    EXPECT_NE(again.cacheKey(), handed.cacheKey()) << c.what << ": the handed-over image was kept";
  }
  // Decoded ahead, one picture does not answer for another of the same index.
  decodeAhead({PictureSource::Badges, 26});
  EXPECT_EQ(image({PictureSource::Qr, 26}), fromArgb(catalogue::entryQrImage(26)));
  EXPECT_EQ(image({PictureSource::Badges, 26}), badge(26));
}

// The start-up decodes pictures on a second thread while the window thread
// may ask for them too.
TEST(Pictures, ThreadsDecodingAheadAndAskingAtOnceEachGetThePicture) {
  constexpr int kFirst = 300, kCount = 60, kThreads = 4;  // QR codes no other test asks for
  std::vector<std::vector<QImage>> got(kThreads);
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&got, t] {
        for (int i = 0; i < kCount; ++i) {
          const int index = kFirst + (t % 2 ? kCount - 1 - i : i);  // half of them from the other end
          if (t < 2) decodeAhead({PictureSource::Qr, index});
          got[t].push_back(image({PictureSource::Qr, index}));
        }
      });
  }
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(got[t].size(), std::size_t{kCount});
    for (int i = 0; i < kCount; ++i) {
      const int index = kFirst + (t % 2 ? kCount - 1 - i : i);
      EXPECT_EQ(got[t][i], fromArgb(catalogue::entryQrImage(static_cast<std::size_t>(index)))) << index;
    }
  }
}

TEST(Pictures, IconDecodedOnAnotherThreadIsTheIconOfTheWindowThread) {
  std::jthread([] { decodeProgramIcon(); }).join();
  const QIcon icon = programIcon();
  ASSERT_FALSE(icon.availableSizes().isEmpty());
  EXPECT_EQ(icon.availableSizes().first(), QSize(95, 95));
  EXPECT_EQ(icon.pixmap(95, 95).toImage().convertToFormat(QImage::Format_RGB32),
            image({PictureSource::Design, kIcon}).convertToFormat(QImage::Format_RGB32));
}

struct DesignCase {
  DesignPicture picture;
  QSize size;
  bool transparentCorner;  // glyphs are drawn over their buttons
};
// clang-format off
const DesignCase kDesigns[] = {
    {kFrontPhoto,  {95, 95}, false},
    {kBackPhoto,   {95, 95}, false},
    {kAboutGlyph,  {20, 25}, true },
    {kCameraGlyph, {52, 36}, true },
    {kAboutLogo,   {97, 97}, false},
    {kIcon,        {95, 95}, false},
};
// clang-format on

TEST(Pictures, DesignPicturesHaveTheirSizes) {
  for (const auto& c : kDesigns) {
    const QImage picture = image({PictureSource::Design, c.picture});
    ASSERT_FALSE(picture.isNull()) << c.picture;
    EXPECT_EQ(picture.size(), c.size) << c.picture;
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)) == 0, c.transparentCorner) << c.picture;
    EXPECT_EQ(qAlpha(picture.pixel(c.size.width() / 2, c.size.height() / 2)), 255) << c.picture;
  }
}

TEST(Pictures, IconIsAChipOnAYellowGroundWithoutTransparency) {
  const QImage icon = image({PictureSource::Design, kIcon});
  EXPECT_FALSE(icon.hasAlphaChannel());
  for (QPoint corner : {QPoint(1, 1), QPoint(93, 1), QPoint(1, 93), QPoint(93, 93)}) {
    const QColor c = icon.pixelColor(corner);
    EXPECT_TRUE(c.red() > 200 && c.green() > 150 && c.blue() < 90) << corner.x() << "," << corner.y();
  }
  const QColor body = icon.pixelColor(47, 30);  // the chip's dark body
  EXPECT_LT(body.lightness(), 90);
  const QIcon programIcon = pictures::programIcon();
  EXPECT_FALSE(programIcon.isNull());
  EXPECT_EQ(programIcon.availableSizes().value(0), QSize(95, 95));
}

QByteArray resource(const char* path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(JpegDecode, MatchesAnotherDecoderPixelForPixel) {
  const QByteArray data = resource(":/wexmora/images/front-photo.jpg");
  ASSERT_FALSE(data.isEmpty());
  const QImage ours = decodeJpeg(data);
  ASSERT_EQ(ours.size(), QSize(95, 95));
  QImage reference;
  // Qt's own JPEG plugin comes with Debian's Qt (libqt6gui6).
  ASSERT_TRUE(reference.loadFromData(data, "JPG")) << "no JPEG image plugin to compare with";
  reference = reference.convertToFormat(QImage::Format_RGB888);
  int worst = 0;
  for (int y = 0; y < 95; ++y) {
    for (int x = 0; x < 95; ++x) {
      const QColor a = ours.pixelColor(x, y), b = reference.pixelColor(x, y);
      worst = std::max(
          {worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
    }
  }
  EXPECT_LE(worst, 2);  // channels in order, rows not shifted
}

struct BadJpegCase {
  const char* what;
  QByteArray data;
};

TEST(JpegDecode, DamagedDataGivesANullImage) {
  const QByteArray good = resource(":/wexmora/images/back-photo.jpg");
  ASSERT_GT(good.size(), 400);
  QByteArray scrambled = good;
  for (int i = 200; i < scrambled.size(); i += 7) scrambled[i] = static_cast<char>(0xFF);
  const BadJpegCase cases[] = {
      {"empty", QByteArray()},
      {"truncated", good.left(good.size() / 2)},
      {"header only", good.left(20)},
      {"not a JPEG", resource(":/wexmora/images/icon.png")},
      {"text", QByteArray("this is not a picture")},
      {"markers destroyed", scrambled},
  };
  for (const auto& c : cases) EXPECT_TRUE(decodeJpeg(c.data).isNull()) << c.what;
}

}  // namespace
}  // namespace wexmora::pictures
