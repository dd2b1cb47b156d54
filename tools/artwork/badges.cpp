// The badge table: one row per badge, in list order. A design function draws
// each look; the row says which design, which family, tier and generation.
#include "tools/artwork/badges.h"

#include <QPainter>
#include <QPainterPath>
#include <stdexcept>

#include "tools/artwork/paint.h"

namespace wexmora::artwork {
namespace {

enum class Design {
  WhiteRing,            // white with a blue ring
  DieBand,              // dark blue with a die-pattern band
  Black,                // black
  BlueDieCorner,        // blue with a die pattern at the upper right
  UprightDieStrip,      // upright blue with a die strip along the top
  BlueInSilverFrame,    // blue square in a silver frame on a circuit ground
  BlueInGoldFrame,      // blue square in a gold frame
  SilverInSilver,       // silver square in a silver frame on a circuit ground
  SilverDotted,         // silver dotted square, no frame
  FlatDarkBlue,         // flat dark blue
  FlatTierCorner,       // flat blue, the tier in the lower right corner
  FlatTierCornerDark,   // the same, darker
  FlatLightBlue,        // flat light blue
  FlatLightGoldCorner,  // flat light blue with a gold corner
  FlatLightTierCorner,  // flat light blue, the tier in the lower right corner
  NoPhoto,              // a camera under a red prohibition sign
};

struct BadgeStyle {
  Design design;
  const char* family;      // the name as printed
  const char* tier;        // "i3" .. "i9" for Core badges, else ""
  const char* generation;  // "9th Gen" .. "10th Gen", else ""
};

// clang-format off
constexpr BadgeStyle kBadges[kDrawnBadgeCount] = {
    // design                      family            tier  generation       index
    {Design::WhiteRing,           "Celeron",        "",   ""        },  //  0
    {Design::WhiteRing,           "Pentium",        "",   ""        },  //  1
    {Design::DieBand,             "Core",           "i3", ""        },  //  2
    {Design::DieBand,             "Core",           "i5", ""        },  //  3
    {Design::DieBand,             "Core",           "i7", ""        },  //  4
    {Design::DieBand,             "Xeon",           "",   ""        },  //  5
    {Design::Black,               "Core 2 Extreme", "",   ""        },  //  6
    {Design::BlueDieCorner,       "Xeon",           "",   ""        },  //  7
    {Design::BlueDieCorner,       "Core 2 Quad",    "",   ""        },  //  8
    {Design::BlueDieCorner,       "Core",           "i3", ""        },  //  9
    {Design::BlueDieCorner,       "Core",           "i5", ""        },  // 10
    {Design::BlueDieCorner,       "Core",           "i7", ""        },  // 11
    {Design::UprightDieStrip,     "Celeron",        "",   ""        },  // 12
    {Design::UprightDieStrip,     "Pentium",        "",   ""        },  // 13
    {Design::UprightDieStrip,     "Core",           "i3", ""        },  // 14
    {Design::UprightDieStrip,     "Core",           "i5", ""        },  // 15
    {Design::UprightDieStrip,     "Core",           "i7", ""        },  // 16
    {Design::UprightDieStrip,     "Xeon",           "",   ""        },  // 17
    {Design::BlueInSilverFrame,   "Celeron",        "",   ""        },  // 18
    {Design::BlueInGoldFrame,     "Pentium Gold",   "",   ""        },  // 19
    {Design::SilverInSilver,      "Xeon",           "",   ""        },  // 20
    {Design::SilverInSilver,      "Core",           "i3", "9th Gen" },  // 21
    {Design::SilverInSilver,      "Core",           "i5", "9th Gen" },  // 22
    {Design::SilverInSilver,      "Core",           "i7", "9th Gen" },  // 23
    {Design::SilverInSilver,      "Core",           "i9", "9th Gen" },  // 24
    {Design::SilverInSilver,      "Core",           "i3", "8th Gen" },  // 25
    {Design::SilverInSilver,      "Core",           "i5", "8th Gen" },  // 26
    {Design::SilverInSilver,      "Core",           "i7", "8th Gen" },  // 27
    {Design::BlueInSilverFrame,   "Pentium",        "",   ""        },  // 28
    {Design::SilverInSilver,      "Core",           "i3", "7th Gen" },  // 29
    {Design::SilverInSilver,      "Core",           "i5", "7th Gen" },  // 30
    {Design::SilverInSilver,      "Core",           "i7", "7th Gen" },  // 31
    {Design::SilverInSilver,      "Core",           "i3", ""        },  // 32
    {Design::SilverInSilver,      "Core",           "i5", ""        },  // 33
    {Design::SilverInSilver,      "Core",           "i7", ""        },  // 34
    {Design::SilverDotted,        "Core",           "i3", "10th Gen"},  // 35
    {Design::SilverDotted,        "Core",           "i5", "10th Gen"},  // 36
    {Design::SilverDotted,        "Core",           "i7", "10th Gen"},  // 37
    {Design::SilverDotted,        "Core",           "i9", "10th Gen"},  // 38
    {Design::FlatDarkBlue,        "Xeon",           "",   ""        },  // 39
    {Design::FlatTierCorner,      "Core",           "i5", ""        },  // 40
    {Design::FlatTierCorner,      "Core",           "i7", ""        },  // 41
    {Design::FlatTierCornerDark,  "Core",           "i9", ""        },  // 42
    {Design::FlatLightBlue,       "Celeron",        "",   ""        },  // 43
    {Design::FlatLightGoldCorner, "Pentium",        "",   ""        },  // 44
    {Design::FlatLightTierCorner, "Core",           "i3", ""        },  // 45
    {Design::NoPhoto,             "No Photo",       "",   ""        },  // 46
};
// clang-format on

const QColor kBlue(0x00, 0x6A, 0xB8);
const QColor kDeepBlue(0x0A, 0x2C, 0x5E);
const QColor kLightBlue(0x3C, 0xAE, 0xE6);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSilverLight(0xF2, 0xF3, 0xF5);
const QColor kSilverDark(0xA9, 0xAE, 0xB6);
const QColor kGoldLight(0xF7, 0xDD, 0x8A);
const QColor kGoldDark(0xB0, 0x7E, 0x1A);
constexpr double kRadius = 6;

BadgeShape shapeOf(Design design) {
  switch (design) {
    case Design::WhiteRing:
    case Design::DieBand:
    case Design::Black:
    case Design::BlueDieCorner:
      return BadgeShape::Wide;
    case Design::UprightDieStrip:
      return BadgeShape::Upright;
    default:
      return BadgeShape::Square;
  }
}

bool isCore(const BadgeStyle& b) { return b.tier[0] != '\0'; }

void roundedPlate(QPainter& p, const QRectF& r, const QBrush& fill, const QColor& edge = Qt::transparent) {
  p.setPen(edge.alpha() ? QPen(edge, 1) : QPen(Qt::NoPen));
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
}

// "Core" above a large tier, or the family name alone, centred in `box`.
void nameBlock(QPainter& p, const QRectF& box, const BadgeStyle& b, const QColor& colour, double tierSize,
               const QColor& shadow = Qt::transparent) {
  auto text = [&](const QRectF& r, const QString& s, const QFont& f) {
    if (shadow.alpha()) {
      shadowedText(p, r, s, f, colour, shadow);
    } else {
      fittedText(p, r, s, f, colour);
    }
  };
  if (isCore(b)) {
    const double top = box.height() * 0.34;
    text(QRectF(box.left(), box.top(), box.width(), top), QStringLiteral("Core"), font(tierSize * 0.48));
    text(QRectF(box.left(), box.top() + top - 2, box.width(), box.height() - top + 2), b.tier, font(tierSize));
  } else {
    const QString name = b.family;
    const int blank = name.indexOf(' ');
    if (blank > 0 && name.size() > 9) {  // two lines: "Core 2" / "Quad", "Pentium" / "Gold"
      text(QRectF(box.left(), box.top(), box.width(), box.height() / 2), name.left(name.lastIndexOf(' ')),
           font(tierSize * 0.5));
      text(QRectF(box.left(), box.top() + box.height() / 2, box.width(), box.height() / 2),
           name.mid(name.lastIndexOf(' ') + 1), font(tierSize * 0.5));
    } else {
      text(box, name, font(tierSize * 0.55));
    }
  }
}

// A small plate with the generation, e.g. "9th Gen".
void generationTag(QPainter& p, const QRectF& r, const QString& text, const QColor& fill, const QColor& ink) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(r, 3, 3);
  fittedText(p, r.adjusted(2, 0, -2, 0), text, font(11), ink);
}

void whiteRing(QPainter& p, const QRectF& r, const BadgeStyle& b) {
  roundedPlate(p, r, kWhite, QColor(0xC4, 0xCA, 0xD2));
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kBlue, 4.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(9, 10, -9, -14), 70 * 16, 300 * 16);  // open at the upper right
  fittedText(p, r.adjusted(18, 22, -18, -40), b.family, font(19), kBlue);
  fittedText(p, r.adjusted(22, 52, -22, -24), QStringLiteral("processor"), font(10, false), QColor(0x55, 0x5D, 0x68));
}

void dieBand(QPainter& p, const QRectF& r, const BadgeStyle& b, int index) {
  roundedPlate(p, r, verticalGradient(r, QColor(0x12, 0x3C, 0x7C), QColor(0x06, 0x18, 0x3A)));
  const QRectF band(r.left() + 6, r.bottom() - 27, r.width() - 12, 18);
  diePattern(p, band, 100 + index, 3.0);
  p.setPen(QPen(QColor(0x9F, 0xC4, 0xE8), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(band);
  nameBlock(p, QRectF(r.left() + 8, r.top() + 5, r.width() - 16, r.height() - 36), b, kWhite, 36);
}

void black(QPainter& p, const QRectF& r, const BadgeStyle& b) {
  roundedPlate(p, r, verticalGradient(r, QColor(0x30, 0x30, 0x34), QColor(0x05, 0x05, 0x06)));
  p.setPen(QPen(QColor(0x8A, 0x8E, 0x96), 1));
  p.drawLine(QPointF(r.left() + 14, r.center().y() + 3), QPointF(r.right() - 14, r.center().y() + 3));
  const QString name = b.family;  // "Core 2 Extreme"
  shadowedText(p, QRectF(r.left() + 8, r.top() + 10, r.width() - 16, 34), name.left(6), font(26), kSilverLight,
               Qt::black);
  fittedText(p, QRectF(r.left() + 8, r.center().y() + 8, r.width() - 16, 28), name.mid(7).toUpper(), font(19),
             QColor(0xE0, 0x5A, 0x2B));
}

void blueDieCorner(QPainter& p, const QRectF& r, const BadgeStyle& b, int index) {
  roundedPlate(p, r, verticalGradient(r, QColor(0x1A, 0x86, 0xD6), QColor(0x00, 0x4A, 0x92)));
  const QRectF die(r.right() - 46, r.top() + 6, 40, 32);
  diePattern(p, die, 200 + index, 3.0);
  p.setPen(QPen(QColor(0xCF, 0xE6, 0xFA), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(die);
  if (isCore(b)) {
    fittedText(p, QRectF(r.left() + 10, r.top() + 8, 60, 26), QStringLiteral("Core"), font(18), kWhite,
               Qt::AlignLeft | Qt::AlignVCenter);
    fittedText(p, QRectF(r.left() + 10, r.top() + 38, r.width() - 20, r.height() - 44), b.tier, font(40), kWhite,
               Qt::AlignLeft | Qt::AlignVCenter);
  } else {
    nameBlock(p, QRectF(r.left() + 8, r.top() + 40, r.width() - 16, r.height() - 46), b, kWhite, 40);
  }
}

void uprightDieStrip(QPainter& p, const QRectF& r, const BadgeStyle& b, int index) {
  roundedPlate(p, r, verticalGradient(r, QColor(0x16, 0x7C, 0xCC), QColor(0x00, 0x43, 0x88)));
  const QRectF strip(r.left() + 5, r.top() + 5, r.width() - 10, 20);
  diePattern(p, strip, 300 + index, 2.5);
  p.setPen(QPen(QColor(0xCF, 0xE6, 0xFA), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(strip);
  nameBlock(p, QRectF(r.left() + 4, r.top() + 30, r.width() - 8, r.height() - 36), b, kWhite, 34);
}

// A framed square: circuit ground, metal frame, inner plate; the name on the
// plate and the generation, if any, on a tag at its foot.
void framedSquare(QPainter& p, const QRectF& r, const BadgeStyle& b, int index, bool circuit, const QColor& frameLight,
                  const QColor& frameDark, const QBrush& plate, const QColor& ink) {
  if (circuit) {
    QPainterPath clip;
    clip.addRoundedRect(r, kRadius, kRadius);
    p.save();
    p.setClipPath(clip);
    circuitPattern(p, r, 400 + index);
    p.restore();
  }
  const QRectF frame = circuit ? r.adjusted(8, 8, -8, -8) : r;
  p.setPen(Qt::NoPen);
  p.setBrush(verticalGradient(frame, frameLight, frameDark));
  p.drawRoundedRect(frame, 4, 4);
  const QRectF inner = frame.adjusted(5, 5, -5, -5);
  p.setBrush(plate);
  p.drawRect(inner);
  const QString generation = b.generation;
  QRectF nameBox = inner.adjusted(3, 4, -3, -4);
  if (!generation.isEmpty()) {
    generationTag(p, QRectF(inner.left() + 6, inner.bottom() - 17, inner.width() - 12, 14), generation, kBlue, kWhite);
    nameBox.setBottom(inner.bottom() - 19);
  }
  nameBlock(p, nameBox, b, ink, generation.isEmpty() ? 36 : 30);
}

void silverDotted(QPainter& p, const QRectF& r, const BadgeStyle& b) {
  roundedPlate(p, r, verticalGradient(r, kSilverLight, QColor(0xC6, 0xCA, 0xD1)), QColor(0x9A, 0xA0, 0xA8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xA4, 0xAA, 0xB3));
  for (double y = r.top() + 5; y < r.bottom() - 3; y += 5) {
    for (double x = r.left() + 5; x < r.right() - 3; x += 5) p.drawEllipse(QPointF(x, y), 0.8, 0.8);
  }
  // The name sits on a clear plate so the dots never cross the letters.
  const QRectF plate = r.adjusted(11, 9, -11, -26);
  p.setBrush(kSilverLight);
  p.drawRoundedRect(plate, 4, 4);
  nameBlock(p, plate.adjusted(2, 2, -2, -2), b, kDeepBlue, 32);
  generationTag(p, QRectF(r.left() + 11, r.bottom() - 21, r.width() - 22, 15), b.generation, kDeepBlue, kWhite);
}

void flatSquare(QPainter& p, const QRectF& r, const BadgeStyle& b, const QColor& ground, bool tierInCorner,
                bool goldCorner) {
  roundedPlate(p, r, ground);
  if (goldCorner) {
    QPainterPath corner;
    corner.moveTo(r.right() - 34, r.top());
    corner.lineTo(r.right() - kRadius, r.top());
    corner.quadTo(r.topRight(), QPointF(r.right(), r.top() + kRadius));
    corner.lineTo(r.right(), r.top() + 34);
    corner.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(r, kGoldLight, kGoldDark));
    p.drawPath(corner);
  }
  if (tierInCorner) {
    fittedText(p, QRectF(r.left() + 9, r.top() + 8, r.width() - 18, 24), QStringLiteral("Core"), font(20), kWhite,
               Qt::AlignLeft | Qt::AlignVCenter);
    fittedText(p, QRectF(r.left() + 30, r.bottom() - 50, r.width() - 38, 44), b.tier, font(40), kWhite,
               Qt::AlignRight | Qt::AlignBottom);
  } else {
    nameBlock(p, r.adjusted(8, 20, -8, -20), b, kWhite, 38);
  }
}

void camera(QPainter& p, const QPointF& centre, double scale, const QColor& body) {
  p.save();
  p.translate(centre);
  p.scale(scale, scale);
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawRoundedRect(QRectF(-24, -14, 48, 32), 5, 5);
  p.drawRoundedRect(QRectF(-9, -20, 18, 8), 2, 2);
  p.setBrush(kWhite);
  p.drawEllipse(QPointF(0, 2), 11, 11);
  p.setBrush(body);
  p.drawEllipse(QPointF(0, 2), 7.5, 7.5);
  p.setBrush(kWhite);
  p.drawEllipse(QPointF(-2.5, -0.5), 2.2, 2.2);
  p.drawRect(QRectF(15, -10, 5, 3));
  p.restore();
}

void noPhoto(QPainter& p, const QRectF& r, const BadgeStyle& b) {
  roundedPlate(p, r, verticalGradient(r, kWhite, QColor(0xEC, 0xEE, 0xF1)), QColor(0xB8, 0xBE, 0xC6));
  const QPointF centre(r.center().x(), r.top() + 38);
  camera(p, centre, 0.82, QColor(0x4A, 0x50, 0x58));
  const QColor red(0xD7, 0x1F, 0x26);
  p.setPen(QPen(red, 5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, 27, 27);
  const double d = 27 * 0.7071;
  p.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
  fittedText(p, QRectF(r.left() + 6, r.bottom() - 26, r.width() - 12, 20), b.family, font(16), red);
}

void drawDesign(QPainter& p, const QRectF& r, const BadgeStyle& b, int index) {
  switch (b.design) {
    case Design::WhiteRing:
      return whiteRing(p, r, b);
    case Design::DieBand:
      return dieBand(p, r, b, index);
    case Design::Black:
      return black(p, r, b);
    case Design::BlueDieCorner:
      return blueDieCorner(p, r, b, index);
    case Design::UprightDieStrip:
      return uprightDieStrip(p, r, b, index);
    case Design::BlueInSilverFrame:
      return framedSquare(p, r, b, index, true, kSilverLight, kSilverDark,
                          verticalGradient(r, QColor(0x1A, 0x86, 0xD6), QColor(0x00, 0x4A, 0x92)), kWhite);
    case Design::BlueInGoldFrame:
      return framedSquare(p, r, b, index, false, kGoldLight, kGoldDark,
                          verticalGradient(r, QColor(0x14, 0x6C, 0xC0), QColor(0x05, 0x35, 0x75)), kGoldLight);
    case Design::SilverInSilver:
      return framedSquare(p, r, b, index, true, QColor(0xD8, 0xDB, 0xE0), QColor(0x8E, 0x94, 0x9C),
                          verticalGradient(r, kSilverLight, QColor(0xCF, 0xD3, 0xD9)), kDeepBlue);
    case Design::SilverDotted:
      return silverDotted(p, r, b);
    case Design::FlatDarkBlue:
      return flatSquare(p, r, b, kDeepBlue, false, false);
    case Design::FlatTierCorner:
      return flatSquare(p, r, b, kBlue, true, false);
    case Design::FlatTierCornerDark:
      return flatSquare(p, r, b, QColor(0x00, 0x3C, 0x74), true, false);
    case Design::FlatLightBlue:
      return flatSquare(p, r, b, kLightBlue, false, false);
    case Design::FlatLightGoldCorner:
      return flatSquare(p, r, b, kLightBlue, false, true);
    case Design::FlatLightTierCorner:
      return flatSquare(p, r, b, kLightBlue, true, false);
    case Design::NoPhoto:
      return noPhoto(p, r, b);
  }
}

}  // namespace

QRect shapeRect(BadgeShape shape) {
  switch (shape) {
    case BadgeShape::Wide:
      return {0, 16, 128, 95};
    case BadgeShape::Upright:
      return {29, 16, 70, 95};
    case BadgeShape::Square:
      return {16, 16, 95, 95};
  }
  return {};
}

BadgeShape badgeShape(int index) {
  if (index < 0 || index >= kDrawnBadgeCount) throw std::out_of_range("no drawn badge " + std::to_string(index));
  return shapeOf(kBadges[index].design);
}

QImage drawBadge(int index) {
  const QRectF r = shapeRect(badgeShape(index));  // checks the index
  const BadgeStyle& style = kBadges[index];
  QImage image = canvas(128, 128);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(r);  // nothing of a badge leaves its shape
    drawDesign(p, r, style, index);
  }
  return oneBitAlpha(image);
}

}  // namespace wexmora::artwork
