#include "views/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace wexmora::qt {
namespace {

QString firstInstalled(const QStringList& candidates) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : candidates)
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
  return candidates.front();
}

const QString& sansFamily() {
  static const QString family = firstInstalled({"Tahoma", "Liberation Sans", "DejaVu Sans Condensed", "DejaVu Sans"});
  return family;
}

const QString& serifFamily() {
  static const QString family =
      firstInstalled({"Times New Roman", "Liberation Serif", "DejaVu Serif Condensed", "DejaVu Serif"});
  return family;
}

QFont font(const QString& family, int pixels) {
  QFont result(family);
  result.setPixelSize(pixels);
  return result;
}

}  // namespace

QFont controlFont(FontFace face) {
  switch (face) {
    case FontFace::TimesNewRoman12:
      return font(serifFamily(), 12);
    case FontFace::TimesNewRoman11:
      return font(serifFamily(), 11);
    case FontFace::Tahoma11:
      break;
  }
  return font(sansFamily(), 11);
}

void chooseFontFamilies() {
  sansFamily();
  serifFamily();
}

}  // namespace wexmora::qt
