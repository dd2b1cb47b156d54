// The model-key rule chain: the corner cases of each rule form, one realistic
// brand string per rule, and every catalogue key derived from a brand string
// composed the way its processor family reports itself.
#include "core/identify/model_key.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "core/data/key_list.h"

namespace wexmora {
namespace {

constexpr int kDesignBadgeLeft = 320;
constexpr int kShiftedBadgeLeft = 305;

struct Derived {
  std::string key, label, caption;
  int badgeLeft;
};

Derived derive(std::string_view brand) {
  TForm15 form;
  form["Edit1"].text = brand;
  deriveModelKey(form);
  return {form["Edit7"].text, form["Label1"].text, form.caption, form["Image1"].left};
}

struct Case {
  const char* brand;
  const char* key;
  const char* label;
  int badgeLeft = kDesignBadgeLeft;
};

void expectCases(const Case* begin, const Case* end) {
  for (const auto* c = begin; c != end; ++c) {
    const auto got = derive(c->brand);
    EXPECT_EQ(got.key, c->key) << "Edit7 for ‹" << c->brand << "›";
    EXPECT_EQ(got.label, c->label) << "Label1 for ‹" << c->brand << "›";
    EXPECT_EQ(got.badgeLeft, c->badgeLeft) << "Image1 left for ‹" << c->brand << "›";
  }
}

TEST(ModelKey, FormCornerCases) {
  // {brand string, Edit7, Label1, Image1 left (design 320 when left out)}
  const Case cases[] = {
      {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)", "i5-8400", "i5-8400 "},
      {R"(Intel(R) Core(TM) i3-9100F CPU @ 3.60GHz)", "i3-9100F", "i3-9100F"},
      {R"(Intel(R) Core(TM) i9-9900KS CPU @ 4.00GHz)", "i9-9900KS", "i9-9900KS"},
      {R"(Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz)", "i5-10600KF", "i5-10600KF"},
      {R"(Intel(R) Core(TM) i7-10700TE CPU @ 2.00GHz)", "i7-10700TE", "i7-10700TE"},
      {R"(12th Gen Intel(R) Core(TM) i5-12600KF)", "i5-12600KF", "i5-12600KF"},
      {R"(Intel(R) Core(TM) i9-14900KS)", "i9-14900K", "i9-14900K"},
      {R"(Intel(R) Xeon(R) CPU E31230 @ 3.20GHz)", "E3-1230", "E3-1230 "},
      {R"(Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz)", "E3-1231 V3", "E3-1231 V3 "},
      {R"(Intel(R) Xeon(R) CPU E3-1225 @ 3.10GHz)", "", ""},
      {R"(Intel(R) Xeon(R) CPU E31230 E3-1230 @ 3.20GHz)", "E3-1230", "E3-1230"},
      {R"(Intel(R) Core(TM) i5 CPU       K 655  @ 3.20GHz)", "i5-655K", "i5-655K"},
      {R"(Intel(R) Core(TM) i7 CPU       870  @ 2.93GHz)", "i7-870", "i7-870"},
      {R"(Intel(R) Core(TM) i5 CPU       7500  @ 2.93GHz)", "", " Info"},
      {R"(Intel(R) Core(TM) i7 CPU       7500  @ 2.93GHz)", "", " Info"},
      {R"(Intel(R) Core(TM) i3 CPU 540)", "i3-", "i3-"},
      {R"(Intel(R) Pentium(R) CPU G4560 @ 3.50GHz)", "G4560", "G4560 "},
      {R"(Intel(R) Pentium(R) CPU G840 @ 2.80GHz)", "G840", "G840 "},
      {R"(Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz)", "G3900TE", "G3900TE", kShiftedBadgeLeft},
      {R"(Intel(R) Xeon(R) CPU           X5450  @ 3.00GHz)", "X5450", "X5450 "},
      {R"(XX34 X3440 @ 2.53GHz)", "X34 X", "X34 X"},
      {R"(@ 3.00GHz Processor)", "@ 3.0", "@ 3.0"},
      {R"(AMD Ryzen 5 3600 6-Core Processor)", "", " Info"},
      // Rule 17 without a version suffix empties what rule 1 wrote.
      {R"(Intel(R) Xeon(R) CPU X3440 E3-1225 @ 3.10GHz)", "", ""},
      // Spaced: the blank-led pattern must occur, the copy starts at the first
      // occurrence without the blank.
      {R"(Intel(R) Xeon(R) CPUX3440 @ 2.53GHz)", "", " Info"},
      // Either-or: the first pattern wins even when the second stands earlier.
      {R"(i5-3570 i5-2500K CPU @ 3.30GHz)", "i5-2500K", "i5-2500K"},
      // Suffix tests read the whole brand string, not the copied piece.
      {R"(Intel(R) Core(TM) i5-10400 CPU TE @ 2.90GHz)", "i5-10400 C", "i5-10400 C"},
      // Rule 30: "00KF" is tried before "00KS"; both give copy 9.
      {R"(Intel(R) Core(TM) i9-9900K CPU 00KS @ 3.60GHz)", "i9-9900K", "i9-9900K "},
      // Rule 34 copies from four characters before "0TE".
      {R"(Intel(R) Pentium(R) CPU G3320TE @ 2.30GHz)", "G3320TE", "G3320TE"},
      {R"(0TE at the very start)", "0TE at", "0TE at "},
      // Rule 17: the last suffix found in the upper-cased piece decides.
      {R"(Intel(R) Xeon(R) E3-1230 v5 v2 @ 3.40GHz)", "E3-1230 V5 V2", "E3-1230 V5 V2 "},
      {R"(Intel(R) Xeon(R) E3-1230 v2 v5 @ 3.40GHz)", "E3-1230 V2", "E3-1230 V2 "},
  };
  expectCases(std::begin(cases), std::end(cases));
}

// One realistic brand string per rule, each the last rule that fires on it.
TEST(ModelKey, EveryRuleOnARealBrandString) {
  const Case cases[] = {
      /*  1 */ {R"(Intel(R) Xeon(R) CPU           X3440  @ 2.53GHz)", "X3440", "X3440"},
      /*  2 */ {R"(Intel(R) Xeon(R) CPU           L3426  @ 1.87GHz)", "L3426", "L3426"},
      /*  3 */ {R"(Intel(R) Core(TM) i3 CPU         530  @ 2.93GHz)", "i3-530", "i3-530"},
      /*  4 */ {R"(Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz)", "i5-750", "i5-750"},
      /*  4 */ {R"(Intel(R) Core(TM) i5 CPU       S 750  @ 2.40GHz)", "i5-750S", "i5-750S"},
      /*  5 */ {R"(Intel(R) Core(TM) i7 CPU       K 875  @ 2.93GHz)", "i7-875K", "i7-875K"},
      /*  6 */ {R"(Intel(R) Xeon(R) CPU           E5405  @ 2.00GHz)", "E5405", "E5405 "},
      /*  6 */ {R"(Intel(R) Core(TM)2 Quad  CPU   Q9550S  @ 2.83GHz)", "Q9550S", "Q9550S"},
      /*  7 */ {R"(Intel(R) Celeron(R) CPU G440 @ 1.60GHz)", "G440", "G440 "},
      /*  7 */ {R"(Intel(R) Pentium(R) CPU G4560T @ 2.90GHz)", "G4560T", "G4560T"},
      /*  8 */ {R"(Intel(R) Pentium(R) Gold G5400 CPU @ 3.70GHz)", "G5400", "G5400 "},
      /*  8 */ {R"(Intel(R) Celeron(R) CPU G530 @ 2.40GHz)", "G530", "G530 "},
      /*  9 */ {R"(Intel(R) Core(TM) i3-10100 CPU @ 3.60GHz)", "i3-10100", "i3-10100 "},
      /* 10 */ {R"(Intel(R) Core(TM) i5-10500TE CPU @ 2.30GHz)", "i5-10500TE", "i5-10500TE"},
      /* 11 */ {R"(Intel(R) Core(TM) i7-10700KF CPU @ 3.80GHz)", "i7-10700KF", "i7-10700KF"},
      /* 12 */ {R"(Intel(R) Core(TM) i9-10900 CPU @ 2.80GHz)", "i9-10900", "i9-10900 "},
      /* 13 */ {R"(Intel(R) Core(TM) i3-2100 CPU @ 3.10GHz)", "i3-2100", "i3-2100 "},
      /* 14 */ {R"(Intel(R) Core(TM) i5-3570K CPU @ 3.40GHz)", "i5-3570K", "i5-3570K"},
      /* 15 */ {R"(Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz)", "i7-2600", "i7-2600 "},
      /* 16 */ {R"(Intel(R) Xeon(R) CPU E31220L @ 2.20GHz)", "E3-1220L", "E3-1220L"},
      /* 17 */ {R"(Intel(R) Xeon(R) CPU E3-1265L v3 @ 2.50GHz)", "E3-1265L V3", "E3-1265L V3 "},
      /* 17 */ {R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)", "E3-1230 V2", "E3-1230 V2 "},
      /* 18 */ {R"(Intel(R) Core(TM) i3-6100T CPU @ 3.20GHz)", "i3-6100T", "i3-6100T"},
      /* 19 */ {R"(Intel(R) Core(TM) i5-6600K CPU @ 3.50GHz)", "i5-6600K", "i5-6600K"},
      /* 20 */ {R"(Intel(R) Core(TM) i7-6700 CPU @ 3.40GHz)", "i7-6700", "i7-6700 "},
      /* 21 */ {R"(Intel(R) Core(TM) i3-7101TE CPU @ 3.40GHz)", "i3-7101TE", "i3-7101TE"},
      /* 21 */ {R"(Intel(R) Core(TM) i3-7100 CPU @ 3.90GHz)", "i3-7100", "i3-7100 "},
      /* 22 */ {R"(Intel(R) Core(TM) i5-7400 CPU @ 3.00GHz)", "i5-7400", "i5-7400 "},
      /* 23 */ {R"(Intel(R) Core(TM) i7-7700T CPU @ 2.90GHz)", "i7-7700T", "i7-7700T"},
      /* 24 */ {R"(Intel(R) Core(TM) i3-8350K CPU @ 4.00GHz)", "i3-8350K", "i3-8350K"},
      /* 25 */ {R"(Intel(R) Core(TM) i5-8500 CPU @ 3.00GHz)", "i5-8500", "i5-8500 "},
      /* 26 */ {R"(Intel(R) Core(TM) i7-8086K CPU @ 4.00GHz)", "i7-8086K", "i7-8086K"},
      /* 27 */ {R"(Intel(R) Core(TM) i3-9350KF CPU @ 4.00GHz)", "i3-9350KF", "i3-9350KF"},
      /* 27 */ {R"(Intel(R) Core(TM) i3-9300 CPU @ 3.70GHz)", "i3-9300", "i3-9300"},
      /* 28 */ {R"(Intel(R) Core(TM) i5-9600KF CPU @ 3.70GHz)", "i5-9600KF", "i5-9600KF"},
      /* 28 */ {R"(Intel(R) Core(TM) i5-9400 CPU @ 2.90GHz)", "i5-9400", "i5-9400"},
      /* 29 */ {R"(Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz)", "i7-9700", "i7-9700"},
      /* 30 */ {R"(Intel(R) Core(TM) i9-9900KF CPU @ 3.60GHz)", "i9-9900KF", "i9-9900KF"},
      /* 31 */ {R"(Intel(R) Xeon(R) E-2134 CPU @ 3.50GHz)", "E-2134", "E-2134 "},
      /* 32 */ {R"(Intel(R) Xeon(R) E-2288G CPU @ 3.70GHz)", "E-2288G", "E-2288G"},
      /* 33 */ {R"(Intel(R) Celeron(R) CPU G1820 @ 2.70GHz)", "G1820", "G1820 "},
      /* 33 */ {R"(Intel(R) Pentium(R) CPU G3420T @ 2.70GHz)", "G3420T", "G3420T"},
      /* 33 */ {R"(Intel(R) Celeron(R) CPU G3930 @ 2.90GHz)", "G3930", "G3930 ", kShiftedBadgeLeft},
      /* 34 */ {R"(Intel(R) Pentium(R) CPU G3320TE @ 2.30GHz)", "G3320TE", "G3320TE"},
      /* 35 */ {R"(Intel(R) Core(TM) i3-4130T CPU @ 2.90GHz)", "i3-4130T", "i3-4130T"},
      /* 36 */ {R"(Intel(R) Core(TM) i5-4690S CPU @ 3.20GHz)", "i5-4690S", "i5-4690S"},
      /* 37 */ {R"(Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz)", "i7-4770", "i7-4770 "},
      /* 38 */ {R"(13th Gen Intel(R) Core(TM) i3-13100F)", "i3-13100F", "i3-13100F"},
      /* 39 */ {R"(13th Gen Intel(R) Core(TM) i5-13600KF)", "i5-13600KF", "i5-13600KF"},
      /* 40 */ {R"(13th Gen Intel(R) Core(TM) i7-13700K)", "i7-13700K", "i7-13700K"},
      /* 41 */ {R"(13th Gen Intel(R) Core(TM) i9-13900KS)", "i9-13900KS", "i9-13900KS"},
      /* 42 */ {R"(14th Gen Intel(R) Core(TM) i5-14600KF)", "i5-14600KF", "i5-14600KF"},
      /* 43 */ {R"(14th Gen Intel(R) Core(TM) i7-14700K)", "i7-14700K", "i7-14700K"},
      /* 44 */ {R"(14th Gen Intel(R) Core(TM) i9-14900KF)", "i9-14900KF", "i9-14900KF"},
      /* 45 */ {R"(12th Gen Intel(R) Core(TM) i3-12100T)", "i3-12100T", "i3-12100T"},
      /* 45 */ {R"(12th Gen Intel(R) Core(TM) i3-12100F)", "i3-12100F", "i3-12100F"},
      /* 45 */ {R"(12th Gen Intel(R) Core(TM) i3-12300)", "i3-12300", "i3-12300"},
      /* 46 */ {R"(12th Gen Intel(R) Core(TM) i5-12400)", "i5-12400", "i5-12400"},
      /* 47 */ {R"(12th Gen Intel(R) Core(TM) i7-12700KF)", "i7-12700KF", "i7-12700KF"},
      /* 48 */ {R"(12th Gen Intel(R) Core(TM) i9-12900KS)", "i9-12900KS", "i9-12900KS"},
      /* 49 */ {R"(11th Gen Intel(R) Core(TM) i5-11400 @ 2.60GHz)", "i5-11400", "i5-11400 "},
      /* 50 */ {R"(11th Gen Intel(R) Core(TM) i7-11700KF @ 3.60GHz)", "i7-11700KF", "i7-11700KF "},
      /* 51 */ {R"(11th Gen Intel(R) Core(TM) i9-11900K @ 3.50GHz)", "i9-11900K", "i9-11900K"},
      /* 52 */ {R"(Intel(R) Xeon(R) W-1290P CPU @ 3.70GHz)", "W-1290P", "W-1290P"},
      /* 53 */ {R"(Intel(R) Xeon(R) W-1390P @ 3.50GHz)", "W-1390P", "W-1390P"},
      /* 54 */ {R"(Intel(R) Xeon(R) E-2378G CPU @ 2.80GHz)", "E-2378G", "E-2378G"},
  };
  expectCases(std::begin(cases), std::end(cases));
}

// The Core 2 Extreme quad-cores report "X9650", "X9770", "X9775"; rule 6
// gives them the catalogue's "QX". Other X models keep their letter.
TEST(ModelKey, QuadExtremeGetsItsQ) {
  const Case cases[] = {
      {R"(Intel(R) Core(TM)2 Extreme CPU X9650  @ 3.00GHz)", "QX9650", "QX9650 "},
      {R"(Intel(R) Core(TM)2 Extreme CPU X9770  @ 3.20GHz)", "QX9770", "QX9770 "},
      {R"(Intel(R) Core(TM)2 Extreme CPU X9775  @ 3.20GHz)", "QX9775", "QX9775 "},
      {R"(Intel(R) Xeon(R) CPU           X3220  @ 2.40GHz)", "X3220", "X3220 "},
      {R"(Intel(R) Xeon(R) CPU           X5482  @ 3.20GHz)", "X5482", "X5482 "},
      {R"(Intel(R) Core(TM)2 Extreme CPU QX9650 @ 3.00GHz)", "QX9650", "QX9650"},
  };
  expectCases(std::begin(cases), std::end(cases));
}

TEST(ModelKey, WindowCaptionKeepsItsDesignText) {
  const std::string design = TForm15().caption;
  for (const char* brand : {R"(Intel(R) Pentium(R) CPU G4560 @ 3.50GHz)", R"(Intel(R) Celeron(R) CPU G440 @ 1.60GHz)",
                            R"(Intel(R) Pentium(R) Gold G5400 CPU @ 3.70GHz)"})
    EXPECT_EQ(derive(brand).caption, design) << brand;
}

TEST(ModelKey, SuffixLengthStartsAtZeroInEveryCall) {
  TForm15 form;
  form["Edit1"].text = R"(Intel(R) Xeon(R) CPU E31230 E3-1230 @ 3.20GHz)";
  deriveModelKey(form);
  ASSERT_EQ(form["Edit7"].text, "E3-1230");
  form["Edit1"].text = R"(Intel(R) Xeon(R) CPU E3-1225 @ 3.10GHz)";
  deriveModelKey(form);
  EXPECT_EQ(form["Edit7"].text, "");
  EXPECT_EQ(form["Label1"].text, "");
}

// ---- every catalogue key from a brand string of its family ----

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of a Core i model after "iN-" (e.g. 5 for "i5-12600KF").
std::size_t coreDigits(std::string_view key) {
  std::size_t n = 0;
  while (3 + n < key.size() && isDigit(key[3 + n])) ++n;
  return n;
}

// The Celeron and Pentium desktop G models by their number.
std::string celeronOrPentium(std::string_view key) {
  std::size_t digits = 0;
  while (1 + digits < key.size() && isDigit(key[1 + digits])) ++digits;
  const int number = std::stoi(std::string(key.substr(1, digits)));
  const std::string k(key);
  if (digits == 3)  // Sandy Bridge: G440 .. G555 Celeron, G620 .. G870 Pentium
    return (number < 600 ? "Intel(R) Celeron(R) CPU " : "Intel(R) Pentium(R) CPU ") + k + " @ 2.60GHz";
  if (number >= 7400) return "Intel(R) Pentium(R) Gold " + k;                        // Alder Lake
  if (number >= 6950) return "Intel(R) Pentium(R) CPU        " + k + "  @ 2.80GHz";  // Clarkdale
  if (number >= 6900) return "Intel(R) Celeron(R) " + k;                             // Alder Lake
  if (number >= 6400) return "Intel(R) Pentium(R) Gold " + k + " CPU @ 4.00GHz";
  if (number >= 5900) return "Intel(R) Celeron(R) " + k + " CPU @ 3.40GHz";
  if (number >= 5400) return "Intel(R) Pentium(R) Gold " + k + " CPU @ 3.70GHz";
  if (number >= 4930) return "Intel(R) Celeron(R) " + k + " CPU @ 3.20GHz";
  if (number >= 4900 || number < 2000 || (number >= 3900 && number < 4000))
    return "Intel(R) Celeron(R) CPU " + k + " @ 2.70GHz";
  return "Intel(R) Pentium(R) CPU " + k + " @ 3.30GHz";
}

// Composes the brand string that the processor with this catalogue key
// reports, following its family's habits (padding, "CPU", clock, "Gen").
std::string brandFor(std::string_view key) {
  const std::string k(key);
  if (startsWith(key, "QX9")) return "Intel(R) Core(TM)2 Extreme CPU " + k.substr(1) + "  @ 3.00GHz";
  if (startsWith(key, "QX6")) return "Intel(R) Core(TM)2 Extreme CPU Q" + k.substr(2) + "  @ 3.00GHz";
  if (key[0] == 'Q') return "Intel(R) Core(TM)2 Quad CPU    " + k + "  @ 2.40GHz";
  if (key[0] == 'G') return celeronOrPentium(key);
  if (startsWith(key, "E3-")) {
    const auto blank = key.find(' ');
    if (blank == std::string_view::npos) return "Intel(R) Xeon(R) CPU E3" + k.substr(3) + " @ 3.20GHz";
    const std::string version = key.substr(blank + 1) == "V2" ? "V2" : "v" + k.substr(blank + 2);
    return "Intel(R) Xeon(R) CPU " + k.substr(0, blank) + " " + version + " @ 3.30GHz";
  }
  if (startsWith(key, "E-2")) return "Intel(R) Xeon(R) " + k + " CPU @ 3.40GHz";
  if (startsWith(key, "W-12")) return "Intel(R) Xeon(R) " + k + " CPU @ 3.30GHz";
  if (startsWith(key, "W-13")) return "Intel(R) Xeon(R) " + k + " @ 3.30GHz";
  if (key[0] == 'E' || key[0] == 'X' || key[0] == 'L') return "Intel(R) Xeon(R) CPU           " + k + "  @ 2.50GHz";
  if (key[0] == 'i') {
    const std::string family = k.substr(0, 2);
    const auto digits = coreDigits(key);
    const std::string letters = k.substr(3 + digits);
    if (digits == 3)  // first generation: "K 655", "S 750", "  870"
      return "Intel(R) Core(TM) " + family + " CPU       " + (letters.empty() ? " " : letters) + " " + k.substr(3, 3) +
             "  @ 2.93GHz";
    if (digits == 4 || startsWith(key.substr(3), "10")) return "Intel(R) Core(TM) " + k + " CPU @ 3.00GHz";
    if (startsWith(key.substr(3), "11")) return "11th Gen Intel(R) Core(TM) " + k + " @ 2.60GHz";
    return k.substr(3, 2) + "th Gen Intel(R) Core(TM) " + k;
  }
  return "unknown family " + k;
}

// Keys that no realistic brand string can reach, with the string tried and
// what the rules make of it. The Kentsfield Core 2 Extreme quad-cores report
// "Q6700", "Q6800", "Q6850" and rule 6 keeps that text as it stands.
struct Unreachable {
  const char* key;
  const char* brand;
  const char* derived;
};
const Unreachable kUnreachable[] = {
    {"QX6700", R"(Intel(R) Core(TM)2 Extreme CPU Q6700  @ 2.66GHz)", "Q6700"},
    {"QX6800", R"(Intel(R) Core(TM)2 Extreme CPU Q6800  @ 2.93GHz)", "Q6800"},
    {"QX6850", R"(Intel(R) Core(TM)2 Extreme CPU Q6850  @ 3.00GHz)", "Q6850"},
};

const Unreachable* unreachable(std::string_view key) {
  for (const auto& u : kUnreachable)
    if (u.key == key) return &u;
  return nullptr;
}

TEST(ModelKey, EveryCatalogueKeyFromItsFamilysBrandString) {
  std::size_t reached = 0;
  for (std::size_t i = 0; i < catalogue::kEntryCount; ++i) {
    const auto key = catalogue::keyAt(i);
    if (const auto* u = unreachable(key)) {
      const auto got = derive(u->brand);
      EXPECT_EQ(got.key, u->derived) << "unreachable " << key << " from ‹" << u->brand << "›";
      EXPECT_NE(got.key, key);
      continue;
    }
    const auto brand = brandFor(key);
    EXPECT_EQ(derive(brand).key, key) << "entry " << i << " from ‹" << brand << "›";
    ++reached;
  }
  EXPECT_EQ(reached + std::size(kUnreachable), catalogue::kEntryCount);
}

TEST(ModelKey, UnreachableListNamesCatalogueKeysOnce) {
  std::set<std::string_view> keys;
  for (std::size_t i = 0; i < catalogue::kEntryCount; ++i) keys.insert(catalogue::keyAt(i));
  std::set<std::string_view> listed;
  for (const auto& u : kUnreachable) {
    EXPECT_TRUE(keys.count(u.key)) << u.key;
    EXPECT_TRUE(listed.insert(u.key).second) << u.key;
  }
}

}  // namespace
}  // namespace wexmora
