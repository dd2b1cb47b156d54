#include "ui/about.h"

#include <optional>
#include <string>

#include "base/decimal.h"
#include "base/site.h"
#include "identify/text.h"

namespace wexmora {
namespace {

constexpr std::string_view kYearCaptionStart = "WEXMORA v.1.5 (2022-";
constexpr std::string_view kFallbackCaption = "WEXMORA v.1.5 (2022-2024)";
constexpr int kDesignYear = 2023;

// A decimal integer as the text-to-number conversion reads it: leading
// blanks, an optional sign, then digits up to the end and nothing else.
std::optional<long> toInteger(std::string_view digits) {
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  return base::parseDecimal(digits);
}

struct AboutTexts {
  const char* close;
  const char* site;
  const char* caption;
};

// clang-format off
//                           Button1    Button2           window caption
constexpr AboutTexts kRussian{"Закрыть", "Сайт программы", "О программе Wexmora v.1.5"};
constexpr AboutTexts kEnglish{"Close",   "Site program",   "About Wexmora v.1.5"};
// clang-format on

}  // namespace

void FormCreate(TForm4& about, std::string_view shortDate) {
  Control& title = about["Label1"];
  // The characters are bytes: a short date that puts a year there is ASCII.
  const std::string year = text::copy(shortDate, 7, 4);
  if (const auto number = toInteger(year); number && *number > kDesignYear)
    title.text = std::string(kYearCaptionStart) + year + ")";
  if (title.text.size() < 7) title.text = kFallbackCaption;
}

void FormActivate(TForm4& about, const TForm15& main) {
  const AboutTexts& texts = main.comboIndex == 1 ? kEnglish : kRussian;
  about["Button1"].text = texts.close;
  about["Button2"].text = texts.site;
  about.caption = texts.caption;
}

void Button1Click(TForm4& about) { about.visible = false; }

void Button2Click(TForm4&, platform::UrlOpener& opener) { opener.open(site::homePage()); }

}  // namespace wexmora
