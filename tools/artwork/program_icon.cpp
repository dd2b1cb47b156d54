#include "tools/artwork/program_icon.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QtEndian>
#include <map>
#include <stdexcept>
#include <string>

#include "tools/artwork/paint.h"

namespace wexmora::artwork {
namespace {

// clang-format off
// size  margin  radius  body  pins  width  pitch  length  lettering            details
constexpr IconLayout kLayouts[] = {
  {  16,     0,    2.5,   10,    3,     2,     3,      2,  Lettering::None,    false},
  {  24,     1,    3.5,   14,    4,     1,     3,      3,  Lettering::None,    false},
  {  32,     2,    4.5,   18,    5,     2,     3,      4,  Lettering::Initial, false},
  {  48,     3,    6.5,   26,    6,     2,     4,      6,  Lettering::Initial, true },
  {  64,     4,    8.5,   36,    7,     2,     5,      8,  Lettering::Initial, true },
  { 128,     8,   17.0,   72,    8,     5,     9,     16,  Lettering::Name,    true },
  { 256,    16,   34.0,  144,    8,     9,    17,     32,  Lettering::Name,    true },
};
// clang-format on

const QColor kTileTop(0xFF, 0xE2, 0x4A), kTileBottom(0xF5, 0xB8, 0x00), kTileEdge(0xC8, 0x8C, 0x00);
const QColor kBodyTop(0x3A, 0x3D, 0x44), kBodyBottom(0x12, 0x13, 0x16);
const QColor kPinTop(0xF4, 0xF5, 0xF7), kPinBottom(0xA8, 0xAD, 0xB4), kPinEdge(0x70, 0x74, 0x7A);
const QColor kPinSmall(0xC4, 0xC8, 0xCE);  // a single shade for pins a few pixels wide

// A filled rectangle; with an outline, the outline lies inside the area so
// that the shape keeps its whole-pixel edges.
IconShape box(const QRectF& area, double radius, const QColor& top, const QColor& bottom, const QColor& edge = {},
              double edgeWidth = 1) {
  IconShape shape;
  const QRectF r = edge.isValid() ? area.adjusted(edgeWidth / 2, edgeWidth / 2, -edgeWidth / 2, -edgeWidth / 2) : area;
  if (radius > 0) {
    shape.path.addRoundedRect(r, radius, radius);
  } else {
    shape.path.addRect(r);
  }
  shape.fillTop = top;
  shape.fillBottom = bottom;
  if (edge.isValid()) {
    shape.stroke = edge;
    shape.strokeWidth = edgeWidth;
  }
  return shape;
}

// The lettering as an outline, centred on the body and as large as fits.
IconShape lettering(const IconLayout& layout, const QRectF& body) {
  const bool name = layout.lettering == Lettering::Name;
  const QString text = name ? QStringLiteral("Wexmora") : QStringLiteral("W");
  const double room = body.width() * (name ? 0.86 : 0.7);
  QFont f = font(body.height() * (name ? 0.24 : 0.62));
  while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(text) > room) f.setPixelSize(f.pixelSize() - 1);
  IconShape shape;
  shape.path.addText(0, 0, f, text);
  const QRectF ink = shape.path.boundingRect();
  if (ink.width() > room) throw std::runtime_error("the icon's lettering does not fit " + std::to_string(layout.size));
  shape.path.translate(body.center() - ink.center());
  shape.fillTop = shape.fillBottom = kTileTop;
  return shape;
}

QString svgColour(const QColor& c) { return c.name(QColor::HexRgb); }

QString svgNumber(double v) { return QString::number(v, 'g', 7); }

// The path as SVG path data: M, L and C commands, Z where a subpath returns
// to its start.
QString svgPathData(const QPainterPath& path) {
  QString d;
  QPointF start;
  auto closeIfBack = [&](int last) {
    if (last >= 0 && QPointF(path.elementAt(last)) == start) d += QStringLiteral("Z");
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        closeIfBack(i - 1);
        start = e;
        d += QStringLiteral("M%1 %2").arg(svgNumber(e.x), svgNumber(e.y));
        break;
      case QPainterPath::LineToElement:
        d += QStringLiteral("L%1 %2").arg(svgNumber(e.x), svgNumber(e.y));
        break;
      case QPainterPath::CurveToElement: {
        const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
        d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                 .arg(svgNumber(e.x), svgNumber(e.y), svgNumber(c2.x), svgNumber(c2.y), svgNumber(end.x),
                      svgNumber(end.y));
        i += 2;
        break;
      }
      case QPainterPath::CurveToDataElement:
        break;  // consumed with its curve
    }
  }
  closeIfBack(path.elementCount() - 1);
  return d;
}

QString svgOpacity(const char* attribute, const QColor& c) {
  return c.alpha() == 255 ? QString() : QStringLiteral(" %1=\"%2\"").arg(attribute, svgNumber(c.alphaF()));
}

void putU16(QByteArray& out, int v) {
  const quint16 le = qToLittleEndian(static_cast<quint16>(v));
  out.append(reinterpret_cast<const char*>(&le), 2);
}

void putU32(QByteArray& out, quint32 v) {
  const quint32 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

QByteArray pngData(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw std::runtime_error("cannot encode an icon image as PNG");
  return data;
}

// A device-independent bitmap as an icon entry holds it: the header with
// twice the height, 32-bit BGRA rows bottom-up, then the 1-bit mask (set =
// transparent), its rows padded to four bytes.
QByteArray dibData(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const int maskRow = ((w + 31) / 32) * 4;
  QByteArray out;
  putU32(out, 40);
  putU32(out, static_cast<quint32>(w));
  putU32(out, static_cast<quint32>(2 * h));
  putU16(out, 1);   // planes
  putU16(out, 32);  // bits per pixel
  putU32(out, 0);   // no compression
  putU32(out, static_cast<quint32>(w * h * 4 + maskRow * h));
  for (int i = 0; i < 4; ++i) putU32(out, 0);  // resolution and palette: unused
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) putU32(out, line[x]);  // 0xAARRGGBB, little-endian: B G R A
  }
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QByteArray row(maskRow, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(line[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out.append(row);
  }
  return out;
}

}  // namespace

std::span<const IconLayout> iconLayouts() { return kLayouts; }

const IconLayout& iconLayout(int size) {
  for (const auto& layout : kLayouts)
    if (layout.size == size) return layout;
  throw std::invalid_argument("the icon has no drawing at " + std::to_string(size) + " pixels");
}

std::vector<IconShape> iconShapes(const IconLayout& l) {
  std::vector<IconShape> shapes;
  const double s = l.size;
  const QRectF tile(l.tileMargin, l.tileMargin, s - 2 * l.tileMargin, s - 2 * l.tileMargin);
  shapes.push_back(box(tile, l.cornerRadius, kTileTop, kTileBottom, l.details ? kTileEdge : QColor(), s / 64));

  const double bodyStart = (s - l.body) / 2;
  const QRectF body(bodyStart, bodyStart, l.body, l.body);
  const int span = (l.pins - 1) * l.pinPitch + l.pinWidth;
  const double pinStart = (s - span) / 2;
  const double edge = l.size >= 128 ? 1.5 : 1;
  const bool shadedPins = l.details && l.pinWidth >= 4;  // narrower pins would be all outline
  for (int i = 0; i < l.pins; ++i) {
    const double along = pinStart + i * l.pinPitch;
    const QRectF pins[] = {
        {along, body.top() - l.pinLength, double(l.pinWidth), double(l.pinLength)},
        {along, body.bottom(), double(l.pinWidth), double(l.pinLength)},
        {body.left() - l.pinLength, along, double(l.pinLength), double(l.pinWidth)},
        {body.right(), along, double(l.pinLength), double(l.pinWidth)},
    };
    for (const QRectF& pin : pins) {
      shapes.push_back(shadedPins ? box(pin, 0, kPinTop, kPinBottom, kPinEdge, edge)
                                  : box(pin, 0, kPinSmall, kPinSmall));
    }
  }

  const double bodyRadius = l.body / 16.0;
  shapes.push_back(box(body, bodyRadius, kBodyTop, kBodyBottom, l.details ? kBodyBottom.darker(140) : QColor(), edge));
  if (l.details) {
    const QColor mark = kBodyTop.lighter(160);
    IconShape dot;
    dot.path.addEllipse(QPointF(body.left() + l.body * 0.11, body.top() + l.body * 0.11), l.body * 0.035,
                        l.body * 0.035);
    dot.fillTop = dot.fillBottom = mark;
    shapes.push_back(dot);
    const QColor shine(255, 255, 255, 60);
    shapes.push_back(
        box(QRectF(body.left() + bodyRadius, body.top() + edge, l.body - 2 * bodyRadius, edge), 0, shine, shine));
  }
  if (l.lettering != Lettering::None) shapes.push_back(lettering(l, body));
  return shapes;
}

QImage drawProgramIcon(int size) {
  const IconLayout& layout = iconLayout(size);
  QImage image = canvas(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (const IconShape& shape : iconShapes(layout)) {
    const QRectF area = shape.path.boundingRect();
    p.setBrush(shape.fillTop == shape.fillBottom ? QBrush(shape.fillTop)
                                                 : verticalGradient(area, shape.fillTop, shape.fillBottom));
    p.setPen(shape.stroke.isValid() ? QPen(shape.stroke, shape.strokeWidth) : QPen(Qt::NoPen));
    p.drawPath(shape.path);
  }
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray programIconSvg() {
  const IconLayout& layout = kLayouts[std::size(kLayouts) - 1];
  const QString size = QString::number(layout.size);
  QString defs, body;
  std::map<std::pair<QRgb, QRgb>, QString> gradients;
  for (const IconShape& shape : iconShapes(layout)) {
    QString fill;
    if (shape.fillTop == shape.fillBottom) {
      fill = QStringLiteral("fill=\"%1\"%2").arg(svgColour(shape.fillTop), svgOpacity("fill-opacity", shape.fillTop));
    } else {
      // One gradient per pair of colours; each shape stretches it over its own box.
      const auto pair = std::make_pair(shape.fillTop.rgba(), shape.fillBottom.rgba());
      auto found = gradients.find(pair);
      if (found == gradients.end()) {
        found = gradients.emplace(pair, QStringLiteral("g%1").arg(gradients.size())).first;
        defs += QStringLiteral(
                    "<linearGradient id=\"%1\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                    "<stop offset=\"0\" stop-color=\"%2\"%3/><stop offset=\"1\" stop-color=\"%4\"%5/>"
                    "</linearGradient>\n")
                    .arg(found->second, svgColour(shape.fillTop), svgOpacity("stop-opacity", shape.fillTop),
                         svgColour(shape.fillBottom), svgOpacity("stop-opacity", shape.fillBottom));
      }
      fill = QStringLiteral("fill=\"url(#%1)\"").arg(found->second);
    }
    QString stroke;
    if (shape.stroke.isValid()) {
      stroke = QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                   .arg(svgColour(shape.stroke), svgNumber(shape.strokeWidth));
    }
    const QString rule =
        shape.path.fillRule() == Qt::OddEvenFill ? QStringLiteral(" fill-rule=\"evenodd\"") : QString();
    body += QStringLiteral("<path d=\"%1\" %2%3%4/>\n").arg(svgPathData(shape.path), fill, rule, stroke);
  }
  const QString svg =
      QStringLiteral(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
          "<title>Wexmora</title>\n<defs>\n%2</defs>\n%3</svg>\n")
          .arg(size, defs, body);
  return svg.toUtf8();
}

QByteArray icoFile(const std::vector<QImage>& images) {
  std::vector<QByteArray> entries;
  for (const QImage& image : images) {
    if (image.width() != image.height() || image.width() < 1 || image.width() > 256)
      throw std::invalid_argument("an icon file holds square images of 1 to 256 pixels");
    entries.push_back(image.width() == 256 ? pngData(image) : dibData(image));
  }
  QByteArray out;
  putU16(out, 0);  // reserved
  putU16(out, 1);  // type: icon
  putU16(out, static_cast<int>(entries.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int side = images[i].width();
    out.append(static_cast<char>(side == 256 ? 0 : side));  // 0 means 256
    out.append(static_cast<char>(side == 256 ? 0 : side));
    out.append('\0');  // no palette
    out.append('\0');  // reserved
    putU16(out, 1);    // planes
    putU16(out, 32);   // bits per pixel
    putU32(out, static_cast<quint32>(entries[i].size()));
    putU32(out, offset);
    offset += static_cast<quint32>(entries[i].size());
  }
  for (const QByteArray& entry : entries) out.append(entry);
  return out;
}

}  // namespace wexmora::artwork
