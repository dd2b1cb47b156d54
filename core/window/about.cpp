#include "core/window/about.h"

#include <optional>
#include <string>

#include "base/decimal.h"
#include "base/site.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"

namespace wexmora {
namespace {

constexpr std::string_view kFallbackYear = "2024";

// A decimal integer as the text-to-number conversion reads it: leading
// blanks, an optional sign, then digits up to the end and nothing else.
std::optional<long> toInteger(std::string_view digits) {
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  return base::parseDecimal(digits);
}

struct AboutTexts {
  const char* close;
  const char* site;
  const char* captionStart;  // the window caption, before the name and version
};

// clang-format off
//                           Button1    Button2           window caption
constexpr AboutTexts kRussian{"Закрыть", "Сайт программы", "О программе "};
constexpr AboutTexts kEnglish{"Close",   "Site program",   "About "};
// clang-format on

const AboutTexts& textsFor(int languageIndex) { return languageIndex == 1 ? kEnglish : kRussian; }

}  // namespace

void FormCreate(TForm4& about, std::string_view shortDate) {
  Control& title = about[about_controls::kTitle];
  // The characters are bytes: a short date that puts a year there is ASCII.
  const std::string year = text::copy(shortDate, 7, 4);
  if (const auto number = toInteger(year); number && *number > TForm4::kDesignYear)
    title.text = TForm4::titleLine(year);
  if (title.text.size() < 7) title.text = TForm4::titleLine(kFallbackYear);
}

void FormActivate(TForm4& about, const TForm15& main) {
  const AboutTexts& texts = textsFor(main.comboIndex);
  about[about_controls::kClose].text = texts.close;
  about[about_controls::kSiteButton].text = texts.site;
  about.caption = aboutCaption(main.comboIndex);
}

std::string aboutCaption(int languageIndex) { return textsFor(languageIndex).captionStart + site::nameAndVersion(); }

void Button1Click(TForm4& about) { about.visible = false; }

void Button2Click(TForm4&, platform::UrlOpener& opener) { opener.open(site::homePage()); }

}  // namespace wexmora
