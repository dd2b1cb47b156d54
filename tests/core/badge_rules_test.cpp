// One row per badge rule, with the data sheet a real processor of that rule
// produces; then the corrections that run among the rules.
#include "core/catalogue/badge_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/catalogue/links.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

struct BadgeCase {
  const char* rule;
  const char* socket;
  const char* productLine;
  const char* modelKey;
  const char* brand;
  int badge;
  int left;
};

// clang-format off
// rule    socket        product line            model key       brand string                                                badge left
const BadgeCase kCases[] = {
  {"1",    "LGA771",     "Intel Xeon",           "E5405",        R"(Intel(R) Xeon(R) CPU           E5405  @ 2.00GHz)",           7, 320},
  {"3.1",  "LGA775",     "Intel Core2 Extreme",  "QX9650",       R"(Intel(R) Core(TM)2 Extreme CPU X9650  @ 3.00GHz)",          6, 320},
  {"3.2",  "LGA775",     "Intel Core2 Quad",     "Q6600",        R"(Intel(R) Core(TM)2 Quad CPU    Q6600  @ 2.40GHz)",          8, 320},
  {"3.3",  "LGA775",     "Intel Xeon",           "X3220",        R"(Intel(R) Xeon(R) CPU           X3220  @ 2.40GHz)",          7, 320},
  {"4.1",  "LGA1156",    "Intel Xeon",           "X3440",        R"(Intel(R) Xeon(R) CPU           X3440  @ 2.53GHz)",          7, 320},
  {"4.2",  "LGA1156",    "Intel Core i3",        "i3-530",       R"(Intel(R) Core(TM) i3 CPU         530  @ 2.93GHz)",          9, 320},
  {"4.3",  "LGA1156",    "Intel Core i5",        "i5-750",       R"(Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz)",         10, 320},
  {"4.4",  "LGA1156",    "Intel Core i7",        "i7-860",       R"(Intel(R) Core(TM) i7 CPU         860  @ 2.80GHz)",         11, 320},
  {"4.5",  "LGA1156",    "Intel Pentium",        "G6950",        R"(Intel(R) Pentium(R) CPU        G6950  @ 2.80GHz)",          1, 320},
  {"5.1",  "LGA1155",    "Intel Celeron",        "G540",         R"(Intel(R) Celeron(R) CPU G540 @ 2.50GHz)",                   0, 320},
  {"5.2",  "LGA1155",    "Intel Pentium",        "G630",         R"(Intel(R) Pentium(R) CPU G630 @ 2.70GHz)",                   1, 320},
  {"5.3",  "LGA1155",    "Intel Core i3",        "i3-2100",      R"(Intel(R) Core(TM) i3-2100 CPU @ 3.10GHz)",                  2, 320},
  {"5.4",  "LGA1155",    "Intel Core i5",        "i5-2500K",     R"(Intel(R) Core(TM) i5-2500K CPU @ 3.30GHz)",                 3, 320},
  {"5.5",  "LGA1155",    "Intel Core i7",        "i7-3770",      R"(Intel(R) Core(TM) i7-3770 CPU @ 3.40GHz)",                  4, 320},
  {"5.6",  "LGA1155",    "Intel Xeon",           "E3-1230 V2",   R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)",                5, 320},
  {"6.1",  "LGA1151 V2", "Intel Pentium Gold",   "G5400",        R"(Intel(R) Pentium(R) Gold G5400 CPU @ 3.70GHz)",            19, 322},
  {"6.2",  "LGA1151 V2", "Intel Celeron",        "G4900",        R"(Intel(R) Celeron(R) CPU G4900 @ 3.10GHz)",                 18, 322},
  {"6.3",  "LGA1151 V2", "Intel Xeon",           "E-2124",       R"(Intel(R) Xeon(R) E-2124 CPU @ 3.30GHz)",                   20, 322},
  {"6.4",  "LGA1151 V2", "Intel Core i3",        "i3-9100",      R"(Intel(R) Core(TM) i3-9100 CPU @ 3.60GHz)",                 21, 322},
  {"6.5",  "LGA1151 V2", "Intel Core i5",        "i5-9400",      R"(Intel(R) Core(TM) i5-9400 CPU @ 2.90GHz)",                 22, 322},
  {"6.6",  "LGA1151 V2", "Intel Core i7",        "i7-9700K",     R"(Intel(R) Core(TM) i7-9700K CPU @ 3.60GHz)",                23, 322},
  {"6.7",  "LGA1151 V2", "Intel Core i9",        "i9-9900K",     R"(Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz)",                24, 322},
  {"7.1",  "LGA1200",    "Intel Pentium Gold",   "G6400",        R"(Intel(R) Pentium(R) Gold G6400 CPU @ 4.00GHz)",            19, 322},
  {"7.2",  "LGA1200",    "Intel Celeron",        "G5900",        R"(Intel(R) Celeron(R) G5900 CPU @ 3.40GHz)",                 18, 322},
  {"7.3",  "LGA1200",    "Intel Xeon",           "W-1250",       R"(Intel(R) Xeon(R) W-1250 CPU @ 3.30GHz)",                   20, 322},
  {"8.1",  "LGA1700",    "Intel Celeron",        "G6900",        R"(Intel(R) Celeron(R) G6900)",                               43, 322},
  {"8.2",  "LGA1200",    "Intel Xeon",           "E-2314",       R"(Intel(R) Xeon(R) E-2314 CPU @ 2.80GHz)",                   39, 322},
  {"8.3",  "LGA1200",    "Intel Xeon",           "W-1350",       R"(Intel(R) Xeon(R) W-1350 @ 3.30GHz)",                       39, 322},
  {"8.4",  "LGA1200",    "Intel Core i5",        "i5-11400",     R"(11th Gen Intel(R) Core(TM) i5-11400 @ 2.60GHz)",           40, 322},
  {"8.5",  "LGA1200",    "Intel Core i7",        "i7-11700K",    R"(11th Gen Intel(R) Core(TM) i7-11700K @ 3.60GHz)",          41, 322},
  {"8.6",  "LGA1200",    "Intel Core i9",        "i9-11900K",    R"(11th Gen Intel(R) Core(TM) i9-11900K @ 3.50GHz)",          42, 322},
  {"8.7",  "LGA1700",    "Intel Core i3",        "i3-12100",     R"(12th Gen Intel(R) Core(TM) i3-12100)",                     45, 322},
  {"8.8",  "LGA1700",    "Intel Core i5",        "i5-12400",     R"(12th Gen Intel(R) Core(TM) i5-12400)",                     40, 322},
  {"8.9",  "LGA1700",    "Intel Core i7",        "i7-12700K",    R"(12th Gen Intel(R) Core(TM) i7-12700K)",                    41, 322},
  {"8.10", "LGA1700",    "Intel Core i9",        "i9-12900K",    R"(12th Gen Intel(R) Core(TM) i9-12900K)",                    42, 322},
  {"8.11", "LGA1700",    "Intel Core i3",        "i3-13100",     R"(13th Gen Intel(R) Core(TM) i3-13100)",                     45, 322},
  {"8.12", "LGA1700",    "Intel Core i5",        "i5-13600K",    R"(13th Gen Intel(R) Core(TM) i5-13600K)",                    40, 322},
  {"8.13", "LGA1700",    "Intel Core i7",        "i7-13700K",    R"(13th Gen Intel(R) Core(TM) i7-13700K)",                    41, 322},
  {"8.14", "LGA1700",    "Intel Core i9",        "i9-13900K",    R"(13th Gen Intel(R) Core(TM) i9-13900K)",                    42, 322},
  {"8.15", "LGA1700",    "Intel Core i5",        "i5-14600K",    R"(14th Gen Intel(R) Core(TM) i5-14600K)",                    40, 322},
  {"8.16", "LGA1700",    "Intel Core i7",        "i7-14700K",    R"(14th Gen Intel(R) Core(TM) i7-14700K)",                    41, 322},
  {"8.17", "LGA1700",    "Intel Core i9",        "i9-14900K",    R"(14th Gen Intel(R) Core(TM) i9-14900K)",                    42, 322},
  {"8.18", "LGA1700",    "Intel Pentium Gold",   "G7400",        R"(Intel(R) Pentium(R) Gold G7400)",                          44, 322},
  {"8.19", "LGA1200",    "Intel Core i3",        "i3-10100",     R"(Intel(R) Core(TM) i3-10100 CPU @ 3.60GHz)",                35, 322},
  {"8.20", "LGA1200",    "Intel Core i5",        "i5-10400",     R"(Intel(R) Core(TM) i5-10400 CPU @ 2.90GHz)",                36, 322},
  {"8.21", "LGA1200",    "Intel Core i7",        "i7-10700K",    R"(Intel(R) Core(TM) i7-10700K CPU @ 3.80GHz)",               37, 322},
  {"8.22", "LGA1200",    "Intel Core i9",        "i9-10900K",    R"(Intel(R) Core(TM) i9-10900K CPU @ 3.70GHz)",               38, 322},
  {"8.23", "LGA1151 V2", "Intel Core i3",        "i3-8100",      R"(Intel(R) Core(TM) i3-8100 CPU @ 3.60GHz)",                 25, 320},
  {"8.24", "LGA1151 V2", "Intel Core i5",        "i5-8400",      R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",                 26, 320},
  {"8.25", "LGA1151 V2", "Intel Core i7",        "i7-8700K",     R"(Intel(R) Core(TM) i7-8700K CPU @ 3.70GHz)",                27, 320},
  {"9.1",  "LGA1151",    "Intel Celeron",        "G3900",        R"(Intel(R) Celeron(R) CPU G3900 @ 2.80GHz)",                 18, 320},
  {"9.2",  "LGA1151",    "Intel Pentium",        "G4560",        R"(Intel(R) Pentium(R) CPU G4560 @ 3.50GHz)",                 28, 320},
  {"9.3",  "LGA1151",    "Intel Core i3",        "i3-6100",      R"(Intel(R) Core(TM) i3-6100 CPU @ 3.70GHz)",                 32, 320},
  {"9.4",  "LGA1151",    "Intel Core i5",        "i5-6500",      R"(Intel(R) Core(TM) i5-6500 CPU @ 3.20GHz)",                 33, 320},
  {"9.5",  "LGA1151",    "Intel Core i7",        "i7-6700K",     R"(Intel(R) Core(TM) i7-6700K CPU @ 4.00GHz)",                34, 320},
  {"9.6",  "LGA1151",    "Intel Core i3",        "i3-7100",      R"(Intel(R) Core(TM) i3-7100 CPU @ 3.90GHz)",                 29, 320},
  {"9.7",  "LGA1151",    "Intel Core i5",        "i5-7500",      R"(Intel(R) Core(TM) i5-7500 CPU @ 3.40GHz)",                 30, 320},
  {"9.8",  "LGA1151",    "Intel Core i7",        "i7-7700K",     R"(Intel(R) Core(TM) i7-7700K CPU @ 4.20GHz)",                31, 320},
  {"9.9",  "LGA1151",    "Intel Xeon",           "E3-1230 V5",   R"(Intel(R) Xeon(R) CPU E3-1230 v5 @ 3.40GHz)",               20, 320},
  {"10.1", "LGA1150",    "Intel Celeron",        "G1820",        R"(Intel(R) Celeron(R) CPU G1820 @ 2.70GHz)",                 12, 295},
  {"10.2", "LGA1150",    "Intel Pentium",        "G3220",        R"(Intel(R) Pentium(R) CPU G3220 @ 3.00GHz)",                 13, 295},
  {"10.3", "LGA1150",    "Intel Core i3",        "i3-4130",      R"(Intel(R) Core(TM) i3-4130 CPU @ 3.40GHz)",                 14, 295},
  {"10.4", "LGA1150",    "Intel Core i5",        "i5-4570",      R"(Intel(R) Core(TM) i5-4570 CPU @ 3.20GHz)",                 15, 295},
  {"10.5", "LGA1150",    "Intel Core i7",        "i7-4770",      R"(Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz)",                 16, 295},
  {"10.6", "LGA1150",    "Intel Xeon",           "E3-1231 V3",   R"(Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz)",               17, 295},
};
// clang-format on

TForm15 sheet(const char* socket, const char* productLine, const char* modelKey, const char* brand) {
  TForm15 form;
  form["Edit11"].text = socket;
  form["Edit18"].text = productLine;
  form["Edit7"].text = modelKey;
  form["Edit1"].text = brand;
  return form;
}

TEST(BadgeRules, EveryRuleShowsItsBadgeForItsProcessor) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string("rule ") + c.rule + " " + c.modelKey);
    TForm15 form = sheet(c.socket, c.productLine, c.modelKey, c.brand);
    chooseBadge(form);
    const Control& badge = form["Image1"];
    EXPECT_EQ(badge.picture, (Picture{PictureSource::Badges, c.badge}));
    EXPECT_EQ(badge.left, c.left);
    EXPECT_EQ(badge.top, 3);
    EXPECT_EQ(badge.width, 128);
    EXPECT_EQ(badge.height, 128);
  }
}

TEST(BadgeRules, TheTestTableCoversEveryRuleOnce) {
  std::set<std::string> tested;
  for (const auto& c : kCases) EXPECT_TRUE(tested.insert(c.rule).second) << c.rule;
  std::set<std::string> rules;
  for (const auto& r : lga771Rules()) rules.insert(r.number);
  for (const auto& r : badgeRules()) rules.insert(r.number);
  EXPECT_EQ(tested, rules);
  EXPECT_EQ(rules.size(), 1u + 64u);
}

struct EdgeCase {
  const char* name;
  const char* socket;
  const char* productLine;
  const char* modelKey;
  const char* brand;
  int startLeft;
  int badge;  // -1: no picture
  int left;
  int top;
};

TEST(BadgeRules, WhoOverridesWhom) {
  const EdgeCase cases[] = {
      {"Xeon beats the brand on LGA1155", "LGA1155", "Intel Xeon", "E3-1230", "Intel(R) Xeon(R) i3 i5 i7 CPU", 320, 5,
       320, 3},
      {"G39 keeps the left the key chain set", "LGA1151", "Intel Celeron", "G3930", "Intel(R) Celeron(R) CPU G3930",
       305, 18, 305, 3},
      {"Xeon of LGA1151 V2 passes rule 9.9 too", "LGA1151 V2", "Intel Xeon", "E-2288G", "Intel(R) Xeon(R) E-2288G", 320,
       20, 322, 3},
      {"LGA1150 Pentium moves to 295", "LGA1150", "Intel Pentium", "G3258", "Intel(R) Pentium(R) CPU G3258", 320, 13,
       295, 3},
      {"no catalogue match, key rules still hold", "", "", "i7-13700", "13th Gen Intel(R) Core(TM) i7-13700", 320, 41,
       322, 3},
      {"no catalogue match, brand rule still holds", "", "", "", "Intel(R) Core(TM) i5-8600 CPU", 320, 26, 320, 3},
      {"nothing holds", "", "", "", "AMD Ryzen 5 5600X 6-Core Processor", 320, -1, 320, 17},
      {"other vendor on a known socket", "LGA1155", "Intel Atom", "", "Intel(R) Atom(TM)", 320, -1, 320, 17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TForm15 form = sheet(c.socket, c.productLine, c.modelKey, c.brand);
    form["Image1"].left = c.startLeft;
    chooseBadge(form);
    const Control& badge = form["Image1"];
    if (c.badge < 0)
      EXPECT_TRUE(badge.picture.empty());
    else
      EXPECT_EQ(badge.picture, (Picture{PictureSource::Badges, c.badge}));
    EXPECT_EQ(badge.left, c.left);
    EXPECT_EQ(badge.top, c.top);
  }
}

struct ClockCase {
  const char* brand;
  const char* modelKey;
  const char* baseClock;
};

TEST(BadgeRules, G6900BaseClockCorrectionLeavesTheCaption) {
  const ClockCase cases[] = {
      {"Intel(R) Celeron(R) G6900T", "G6900T", "2.80 GHz"},
      {"Intel(R) Celeron(R) G6900", "G6900", "3.40 GHz"},
      {"Intel(R) Celeron(R) G5900", "G5900", "1.00 GHz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brand);
    TForm15 form = sheet("LGA1700", "Intel Celeron", c.modelKey, c.brand);
    form["Edit5"].text = "1.00 GHz";
    form["Label14"].text = " Info";
    applyFinalCorrections(form);
    EXPECT_EQ(form["Edit5"].text, c.baseClock);
    EXPECT_EQ(form["Label14"].text, " Info");
  }
}

struct FillCase {
  const char* socket;
  int languageIndex;
  const char* unknown;  // nullptr: nothing filled
  const char* memo;
};

TEST(BadgeRules, Lga1150FillInFollowsTheLanguage) {
  const FillCase cases[] = {
      {"LGA1150", 0, "Неизвестно", "Нет данных в нашей базе"},
      {"LGA1150", 1, "Unknown", "Unknown in database"},
      {"LGA1150", 2, nullptr, ""},
      {"LGA1151", 1, nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.socket) + " " + std::to_string(c.languageIndex));
    TForm15 form = sheet(c.socket, "", "", "Intel(R) Core(TM) i5-4570 CPU");
    form.comboIndex = c.languageIndex;
    form["Edit13"].text = "22 nm";
    applyFinalCorrections(form);
    for (const char* name :
         {"Edit6", "Edit16", "Edit15", "Edit12", "Edit18", "Edit19", "Edit14", "Edit10", "Edit17", "Edit7"})
      EXPECT_EQ(form[name].text, c.unknown ? c.unknown : "") << name;
    EXPECT_EQ(form["Edit8"].text, c.unknown ? "-" : "");
    EXPECT_EQ(form["Edit9"].text, c.unknown ? "-" : "");
    EXPECT_EQ(form["Edit13"].text, "22 nm");  // filled fields stay
    EXPECT_EQ(form["Edit11"].text, c.socket);
    EXPECT_EQ(form["Memo2"].text, c.memo);
    EXPECT_EQ(form["Edit5"].text, "");  // never filled
  }
}

TEST(BadgeRules, HandOverPassesTheKeyAndWaits) {
  const std::pair<const char*, const char*> cases[] = {
      {"i5-8400", "i5-8400"}, {"E3-1265L V2", "E3-1265L_V2"}, {"", ""}};
  for (const auto& [key, urlKey] : cases) {
    TForm15 form;
    form["Edit7"].text = key;
    testing::RecordingSleeper sleeper;
    handOver(form, sleeper);
    EXPECT_EQ(form["Edit20"].text, key);
    EXPECT_EQ(form.detailedUrl.substr(form.detailedUrl.rfind('/')), std::string("/detailed-") + urlKey + ".html");
    EXPECT_EQ(sleeper.waits, (std::vector<int>{15, 50}));
  }
}

}  // namespace
}  // namespace wexmora
