#include "core/catalogue/badge_rules.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/catalogue/links.h"
#include "core/catalogue/lookup.h"
#include "core/identify/text.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/model/sheet_values.h"
#include "core/texts/texts.h"

namespace wexmora {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

using T = TestedText;
constexpr int kSame = kLeftUnchanged;

// clang-format off
// rule    socket group  tested text     literal(s)                    badge  left
constexpr BadgeRule kLga771[] = {
  {"1",    "771",        T::ProductLine, {"Xeon"},                         7, kSame},
};

constexpr BadgeRule kRules[] = {
  {"3.1",  "775",        T::ProductLine, {"2 Extreme"},                    6, kSame},
  {"3.2",  "775",        T::ProductLine, {"2 Quad"},                       8, kSame},
  {"3.3",  "775",        T::ProductLine, {"Xeon"},                         7, kSame},
  {"4.1",  "1156",       T::ProductLine, {"Xeon"},                         7, kSame},
  {"4.2",  "1156",       T::ProductLine, {"i3"},                           9, kSame},
  {"4.3",  "1156",       T::ProductLine, {"i5"},                          10, kSame},
  {"4.4",  "1156",       T::ProductLine, {"i7"},                          11, kSame},
  {"4.5",  "1156",       T::ProductLine, {"Pentium"},                      1, kSame},
  {"5.1",  "1155",       T::ProductLine, {"Celeron"},                      0, kSame},
  {"5.2",  "1155",       T::ProductLine, {"Pentium"},                      1, kSame},
  {"5.3",  "1155",       T::BrandString, {"i3"},                           2, kSame},
  {"5.4",  "1155",       T::BrandString, {"i5"},                           3, kSame},
  {"5.5",  "1155",       T::BrandString, {"i7"},                           4, kSame},
  {"5.6",  "1155",       T::ProductLine, {"Xeon"},                         5, kSame},
  {"6.1",  "1151 V2",    T::ProductLine, {"Gold"},                        19,   322},
  {"6.2",  "1151 V2",    T::ProductLine, {"Celeron"},                     18,   322},
  {"6.3",  "1151 V2",    T::ProductLine, {"Xeon"},                        20,   322},
  {"6.4",  "1151 V2",    T::ModelKey,    {"i3-9"},                        21,   322},
  {"6.5",  "1151 V2",    T::ModelKey,    {"i5-9"},                        22,   322},
  {"6.6",  "1151 V2",    T::ModelKey,    {"i7-9"},                        23,   322},
  {"6.7",  "1151 V2",    T::ModelKey,    {"i9-9"},                        24,   322},
  {"7.1",  "1200",       T::ProductLine, {"Gold"},                        19,   322},
  {"7.2",  "1200",       T::ProductLine, {"Celeron"},                     18,   322},
  {"7.3",  "1200",       T::ProductLine, {"Xeon"},                        20,   322},
  {"8.1",  nullptr,      T::ModelKey,    {"G6900"},                       43,   322},
  {"8.2",  nullptr,      T::ModelKey,    {"E-23"},                        39,   322},
  {"8.3",  nullptr,      T::ModelKey,    {"W-13"},                        39,   322},
  {"8.4",  nullptr,      T::ModelKey,    {"i5-11"},                       40,   322},
  {"8.5",  nullptr,      T::ModelKey,    {"i7-11"},                       41,   322},
  {"8.6",  nullptr,      T::ModelKey,    {"i9-11"},                       42,   322},
  {"8.7",  nullptr,      T::ModelKey,    {"i3-12"},                       45,   322},
  {"8.8",  nullptr,      T::ModelKey,    {"i5-12"},                       40,   322},
  {"8.9",  nullptr,      T::ModelKey,    {"i7-12"},                       41,   322},
  {"8.10", nullptr,      T::ModelKey,    {"i9-12"},                       42,   322},
  {"8.11", nullptr,      T::ModelKey,    {"i3-13"},                       45,   322},
  {"8.12", nullptr,      T::ModelKey,    {"i5-13"},                       40,   322},
  {"8.13", nullptr,      T::ModelKey,    {"i7-13"},                       41,   322},
  {"8.14", nullptr,      T::ModelKey,    {"i9-13"},                       42,   322},
  {"8.15", nullptr,      T::ModelKey,    {"i5-14"},                       40,   322},
  {"8.16", nullptr,      T::ModelKey,    {"i7-14"},                       41,   322},
  {"8.17", nullptr,      T::ModelKey,    {"i9-14"},                       42,   322},
  {"8.18", nullptr,      T::BrandString, {"G7400"},                       44,   322},
  {"8.19", nullptr,      T::ModelKey,    {"i3-10"},                       35,   322},
  {"8.20", nullptr,      T::ModelKey,    {"i5-10"},                       36,   322},
  {"8.21", nullptr,      T::ModelKey,    {"i7-10"},                       37,   322},
  {"8.22", nullptr,      T::ModelKey,    {"i9-10"},                       38,   322},
  {"8.23", nullptr,      T::BrandString, {"i3-8"},                        25, kSame},
  {"8.24", nullptr,      T::BrandString, {"i5-8"},                        26, kSame},
  {"8.25", nullptr,      T::BrandString, {"i7-8"},                        27, kSame},
  {"9.1",  "1151",       T::ModelKey,    {"G39"},                         18, kSame},
  {"9.2",  "1151",       T::ModelKey,    {"G44", "G45", "G46"},           28, kSame},
  {"9.3",  "1151",       T::ModelKey,    {"i3-6"},                        32, kSame},
  {"9.4",  "1151",       T::ModelKey,    {"i5-6"},                        33, kSame},
  {"9.5",  "1151",       T::ModelKey,    {"i7-6"},                        34, kSame},
  {"9.6",  "1151",       T::ModelKey,    {"i3-7"},                        29, kSame},
  {"9.7",  "1151",       T::ModelKey,    {"i5-7"},                        30, kSame},
  {"9.8",  "1151",       T::ModelKey,    {"i7-7"},                        31, kSame},
  {"9.9",  "1151",       T::ProductLine, {"Xeon"},                        20, kSame},
  {"10.1", "1150",       T::ProductLine, {"Celeron"},                     12,   295},
  {"10.2", "1150",       T::ProductLine, {"Pentium"},                     13,   295},
  {"10.3", "1150",       T::ProductLine, {"i3"},                          14,   295},
  {"10.4", "1150",       T::ProductLine, {"i5"},                          15,   295},
  {"10.5", "1150",       T::ProductLine, {"i7"},                          16,   295},
  {"10.6", "1150",       T::ProductLine, {"Xeon"},                        17,   295},
};

// The LGA1150 fill-in: empty fields get the unknown-value text of the
// selected language, the counts a dash, the technologies list its own text.
constexpr const char* kLga1150Unknown[] = {kSocket,   kTurboClock, kPcie,        kSegment,        kCodeName, kProductLine,
                                           kGraphics, kMemory,     kLithography, kMaxTemperature, kL3Cache,  kModelKey};
// language index  texts of
struct Lga1150Language { int languageIndex; Language language; };
constexpr Lga1150Language kLga1150Languages[] = {
  {0,              Language::Russian},
  {1,              Language::English},
};
// clang-format on

// The texts the rules test, looked up once: applying a rule changes the
// badge alone, never a tested field.
struct TestedTexts {
  explicit TestedTexts(const TForm15& form) : socket(form[kSocketField].text) {
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = &form[testedField(static_cast<TestedText>(i))].text;
  }
  const std::string& socket;
  std::array<const std::string*, 3> fields{};  // indexed by TestedText
};

bool holds(const TestedTexts& texts, const BadgeRule& rule) {
  if (rule.socket && !text::contains(texts.socket, rule.socket)) return false;
  const std::string& tested = *texts.fields[static_cast<std::size_t>(rule.tested)];
  for (const char* literal : rule.literal)
    if (literal && text::contains(tested, literal)) return true;
  return false;
}

void applyRules(TForm15& form, std::span<const BadgeRule> rules) {
  Control& badge = form[main_controls::kBadgeImage];
  const TestedTexts texts(form);
  for (const BadgeRule& rule : rules) {
    if (!holds(texts, rule)) continue;
    badge.picture = {PictureSource::Badges, rule.badge};
    badge.width = badge.height = kImageListSize;
    badge.top = kBadgeTop;
    if (rule.left != kLeftUnchanged) badge.left = rule.left;
    if (form.trace)
      form.trace->badgeRules.push_back(
          {rule.number, rule.badge, rule.left != kLeftUnchanged ? std::optional<int>(rule.left) : std::nullopt});
  }
}

void traceCorrection(TForm15& form, CorrectionKind kind, std::string trigger, std::vector<std::string> fields,
                     std::string value = {}) {
  if (form.trace) form.trace->corrections.push_back({kind, std::move(trigger), std::move(fields), std::move(value)});
}

// The two LGA1700 Celerons whose records carry no base frequency.
void correctBaseClock(TForm15& form) {
  // brand string contains   base clock
  constexpr std::pair<const char*, const char*> kCorrections[] = {{"G6900T", "2.80 GHz"}, {"G6900", "3.40 GHz"}};
  for (const auto& [model, clock] : kCorrections) {
    if (!text::contains(form[main_controls::kBrandString].text, model)) continue;
    setSheetField(form, main_controls::kBaseClock, clock);
    return traceCorrection(form, CorrectionKind::BaseClock, model, {main_controls::kBaseClock}, clock);
  }
}

void fillLga1150(TForm15& form) {
  if (!text::contains(form[kSocketField].text, "1150")) return;
  for (const Lga1150Language& selected : kLga1150Languages) {
    if (form.comboIndex != selected.languageIndex) continue;
    std::vector<std::string> filled;
    const auto fill = [&](const char* name, std::string_view value) {
      if (!form[name].text.empty()) return;
      form[name].text = value;
      if (form.trace) filled.emplace_back(name);
    };
    for (const char* name : kLga1150Unknown) fill(name, textOf(TextId::Unknown, selected.language));
    for (const char* count : {main_controls::kCores, main_controls::kThreads}) fill(count, "-");
    fill(main_controls::kTechnologies, textOf(TextId::Lga1150NoRecord, selected.language));
    traceCorrection(form, CorrectionKind::Lga1150Fill, "1150", std::move(filled));
  }
}

}  // namespace

const char* testedField(TestedText tested) {
  // Indexed by TestedText: product line, brand string, model key.
  constexpr const char* kTestedFields[] = {main_controls::kProductLine, main_controls::kBrandString,
                                           main_controls::kModelKey};
  return kTestedFields[static_cast<int>(tested)];
}

std::span<const char* const> lga1150UnknownFields() { return kLga1150Unknown; }
std::span<const BadgeRule> lga771Rules() { return kLga771; }
std::span<const BadgeRule> badgeRules() { return kRules; }

void chooseBadge(TForm15& form) {
  applyRules(form, kLga771);
  applyRules(form, kRules);
  if (form.trace) {
    const Control& badge = form[main_controls::kBadgeImage];
    if (badge.picture.source == PictureSource::Badges) form.trace->badge = badge.picture.index;
    form.trace->badgeLeft = badge.left;
    form.trace->badgeTop = badge.top;
  }
}

void applyFinalCorrections(TForm15& form) {
  correctBaseClock(form);
  fillLga1150(form);
}

}  // namespace wexmora
