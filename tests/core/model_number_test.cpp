// The model-number reader: one realistic brand string per rule, as machines
// report them (blanks kept), the brand strings it must not read, the ones only
// the family and model decide, and the span it reports for every reading.
#include "core/identify/model_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "core/extended/extended_table.h"
#include "core/identify/number_aliases.h"

namespace wexmora {
namespace {

struct Case {
  const char* brand;
  const char* rule;
  const char* key;
  const char* shown;
  const char* number;  // the span of the brand string read, marks dropped
};

// clang-format off
// brand string                                                       rule                    key                         shown            number
const Case kRuleCases[] = {
  {R"(Intel(R) Core(TM) i5 CPU       M 460  @ 2.53GHz)",              "intel-core-first",     "i5-460M",                  "i5-460M",       "M 460"},
  {R"(Intel(R) Core(TM) i7 CPU       Q 820  @ 1.73GHz)",              "intel-core-first",     "i7-820QM",                 "i7-820QM",      "Q 820"},
  {R"(Intel(R) Core(TM) i3 CPU       U 380  @ 1.33GHz)",              "intel-core-first",     "i3-380UM",                 "i3-380UM",      "U 380"},
  {R"(Intel(R) Core(TM) i5 CPU         750  @ 2.67GHz)",              "intel-core-first",     "i5-750",                   "i5-750",        "750"},
  {R"(Intel(R) Core(TM) Ultra 7 155H)",                               "intel-core-ultra",     "Core 155H",                "U7 155H",       "155H"},
  {R"(Intel(R) Core(TM) Ultra X7 358H)",                              "intel-core-ultra-x",   "Core 358H",                "X7 358H",       "358H"},
  {R"(Intel(R) Core(TM) 5 120U)",                                     "intel-core-tier",      "Core 120U",                "C5 120U",       "120U"},
  {R"(Intel(R) Core(TM) 3 N355)",                                     "intel-core-tier",      "N355",                     "N355",          "N355"},
  {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)",                     "intel-core",           "i5-8250U",                 "i5-8250U",      "i5-8250U"},
  {R"(Intel(R) Core(TM) i7-7700HQ CPU @ 2.80GHz)",                    "intel-core",           "i7-7700HQ",                "i7-7700HQ",     "i7-7700HQ"},
  {R"(11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz)",               "intel-core",           "i7-1165G7",                "i7-1165G7",     "i7-1165G7"},
  {R"(Intel(R) Core(TM) m3-6Y30 CPU @ 0.90GHz)",                      "intel-core",           "m3-6Y30",                  "m3-6Y30",       "m3-6Y30"},
  {R"(Intel(R) Core(TM) M-5Y10c CPU @ 0.80GHz)",                      "intel-core",           "Core 5Y10c",               "5Y10c",         "M-5Y10c"},
  {R"(Intel(R) Core(TM) Duo CPU      T2450  @ 2.00GHz)",              "intel-core",           "T2450",                    "T2450",         "T2450"},
  {R"(Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz)",              "intel-core2",          "Core2 E8400",              "E8400",         "E8400"},
  {R"(Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz)",              "intel-core2",          "Core2 E6600",              "E6600",         "6600"},
  {R"(Intel(R) Core(TM)2 Quad  CPU   Q8200  @ 2.33GHz)",              "intel-core2",          "Core2 Q8200",              "Q8200",         "Q8200"},
  {R"(Intel(R) Celeron(R) M processor 430 1.73GHz)",                  "intel-celeron-m",      "Celeron M 430",            "M 430",         "430"},
  {R"(Intel(R) Celeron(R) M CPU        520  @ 1.60GHz)",              "intel-celeron-m",      "Celeron M 520",            "M 520",         "520"},
  {R"(Intel(R) Celeron(R) D CPU        220  @ 1.20GHz)",              "intel-celeron-d",      "Celeron D 220",            "D 220",         "220"},
  {R"(Intel(R) Celeron(R) CPU          530  @ 1.73GHz)",              "intel-celeron",        "Celeron 530",              "530",           "530"},
  {R"(Intel(R) Celeron(R) CPU  N3060  @ 1.60GHz)",                    "intel-celeron",        "N3060",                    "N3060",         "N3060"},
  {R"(Intel(R) Celeron(R) CPU 1000M @ 1.80GHz)",                      "intel-celeron",        "Celeron 1000M",            "1000M",         "1000M"},
  {R"(Intel(R) Pentium(R) Gold G5400 CPU @ 3.70GHz)",                 "intel-pentium-gold",   "G5400",                    "G5400",         "G5400"},
  {R"(Intel(R) Pentium(R) Silver N5000 CPU @ 1.10GHz)",               "intel-pentium-silver", "N5000",                    "N5000",         "N5000"},
  {R"(Intel(R) Pentium(R) Dual  CPU  E2180  @ 2.00GHz)",              "intel-pentium",        "E2180",                    "E2180",         "E2180"},
  {R"(Pentium(R) Dual-Core  CPU      E5300  @ 2.60GHz)",              "intel-pentium",        "E5300",                    "E5300",         "E5300"},
  {R"(Intel(R) Pentium(R) CPU 987 @ 1.50GHz)",                        "intel-pentium",        "Pentium 987",              "987",           "987"},
  {R"(Intel(R) Pentium(R) CPU 4415U @ 2.30GHz)",                      "intel-pentium",        "Pentium 4415U",            "4415U",         "4415U"},
  {R"(Intel(R) Atom(TM) x5-Z8350  CPU @ 1.44GHz)",                    "intel-atom",           "x5-Z8350",                 "x5-Z8350",      "x5-Z8350"},
  {R"(Intel(R) Atom(TM) CPU  330   @ 1.60GHz)",                       "intel-atom",           "Atom 330",                 "330",           "330"},
  {R"(Intel(R) Xeon(R) Gold 6248 CPU @ 2.50GHz)",                     "intel-xeon-gold",      "Xeon Gold 6248",           "6248",     "6248"},
  {R"(Intel(R) Xeon(R) Silver 4210 CPU @ 2.20GHz)",                   "intel-xeon-silver",    "Xeon Silver 4210",         "4210",   "4210"},
  {R"(Intel(R) Xeon(R) Platinum 8280 CPU @ 2.70GHz)",                 "intel-xeon-platinum",  "Xeon Platinum 8280",       "8280",    "8280"},
  {R"(Intel(R) Xeon(R) Bronze 3204 CPU @ 1.90GHz)",                  "intel-xeon-bronze",    "Xeon Bronze 3204",         "3204",          "3204"},
  {R"(Intel(R) Xeon Phi(TM) CPU 7210 @ 1.30GHz)",                     "intel-xeon-phi",       "Xeon Phi 7210",            "Phi 7210",      "7210"},
  {R"(Intel(R) Xeon(R) CPU E5-2670 v3 @ 2.30GHz)",                    "intel-xeon",           "E5-2670 v3",               "E5-2670 v3",    "E5-2670 v3"},
  {R"(Intel(R) Xeon(R) CPU E3-1230 V2 @ 3.30GHz)",                    "intel-xeon",           "E3-1230 v2",               "E3-1230 v2",    "E3-1230 V2"},
  {R"(Intel(R) Xeon(R) CPU E5-1620 0 @ 3.60GHz)",                     "intel-xeon",           "E5-1620",                  "E5-1620",       "E5-1620"},
  {R"(Intel(R) Xeon(R) CPU E31230 @ 3.20GHz)",                        "intel-xeon",           "E3-1230",                  "E3-1230",       "E31230"},
  {R"(Intel(R) Xeon(R) CPU E7- 4850  @ 2.00GHz)",                     "intel-xeon",           "E7-4850",                  "E7-4850",       "E7- 4850"},
  {R"(Intel(R) Xeon(R) CPU            5150  @ 2.66GHz)",              "intel-xeon",           "Xeon 5150",                "5150",          "5150"},
  {R"(Genuine Intel(R) CPU           T2300  @ 1.66GHz)",              "intel-genuine",        "T2300",                    "T2300",         "T2300"},
  {R"(Intel(R) Processor 5Y70 CPU @ 1.10GHz)",                        "intel-processor",      "Core 5Y70",                "5Y70",          "5Y70"},
  {R"(Intel(R) N100)",                                                "intel",                "N100",                     "N100",          "N100"},
  {R"(AMD Ryzen Threadripper PRO 3955WX 16-Cores)",                   "amd-threadripper-pro", "Ryzen Threadripper PRO 3955WX", "TR 3955WX", "3955WX"},
  {R"(AMD Ryzen Threadripper 1950X 16-Core Processor)",               "amd-threadripper",     "Ryzen Threadripper 1950X", "TR 1950X",      "1950X"},
  {R"(AMD Ryzen Embedded V1605B with Radeon Vega Gfx)",               "amd-ryzen-embedded",   "Ryzen Embedded V1605B",    "V1605B",        "V1605B"},
  {R"(AMD RYZEN AI MAX+ 395 w/ Radeon 8060S)",                        "amd-ryzen-ai-max-plus", "Ryzen AI Max+ 395",       "Max+ 395",      "395"},
  {R"(AMD Ryzen AI Max 390 w/ Radeon 8050S)",                         "amd-ryzen-ai-max",     "Ryzen AI Max 390",         "Max 390",       "390"},
  {R"(AMD Ryzen AI 9 HX 370 w/ Radeon 890M)",                         "amd-ryzen-ai-hx",      "Ryzen AI 9 HX 370",        "AI9 HX 370",    "370"},
  {R"(AMD Ryzen AI 7 PRO 360 w/ Radeon 880M)",                        "amd-ryzen-ai-pro",     "Ryzen AI 7 PRO 360",       "AI 7 360",      "360"},
  {R"(AMD Ryzen AI 9 365 w/ Radeon 880M)",                            "amd-ryzen-ai",         "Ryzen AI 9 365",           "AI 9 365",      "365"},
  {R"(AMD Ryzen 7 PRO 3700U w/ Radeon Vega Mobile Gfx)",              "amd-ryzen-pro",        "Ryzen 7 PRO 3700U",        "R7 3700U",  "3700U"},
  {R"(AMD Ryzen 5 3500U with Radeon Vega Mobile Gfx)",                "amd-ryzen",            "Ryzen 5 3500U",            "R5 3500U",      "3500U"},
  {R"(AMD EPYC 7302P 16-Core Processor)",                             "amd-epyc",             "EPYC 7302P",               "EPYC 7302P",    "7302P"},
  {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)",               "amd-athlon-64-x2",     "Athlon 64 X2 4200+",       "X2 4200+",      "4200+"},
  {R"(AMD Athlon(tm) 64 Processor 3200+)",                            "amd-athlon-64",        "Athlon 64 3200+",          "3200+",         "3200+"},
  {R"(AMD Athlon(tm) 64 FX-60 Dual Core Processor)",                  "amd-athlon-64",        "Athlon 64 FX-60",          "FX-60",         "FX-60"},
  {R"(AMD Athlon(tm) Neo Processor MV-40)",                           "amd-athlon-neo",       "Athlon Neo MV-40",         "MV-40",         "MV-40"},
  {R"(AMD Athlon(tm) II X2 250 Processor)",                           "amd-athlon-ii-xn",     "Athlon II X2 250",         "X2 250",        "250"},
  {R"(AMD Athlon(tm) II Neo K325 Dual-Core Processor)",               "amd-athlon-ii-neo",    "Athlon II Neo K325",       "K325",          "K325"},
  {R"(AMD Athlon(tm) II P320 Dual-Core Processor)",                   "amd-athlon-ii",        "Athlon II P320",           "P320",          "P320"},
  {R"(AMD Athlon(tm) X4 740 Quad Core Processor)",                    "amd-athlon-xn",        "Athlon X4 740",            "X4 740",        "740"},
  {R"(AMD Athlon(tm)X2 DualCore QL-66)",                              "amd-athlon-xn",        "Athlon X2 QL-66",          "X2 QL-66",      "QL-66"},
  {R"(AMD Athlon Silver 3050U with Radeon Graphics)",                 "amd-athlon-silver",    "Athlon Silver 3050U",      "3050U",         "3050U"},
  {R"(AMD Athlon Gold 3150U with Radeon Graphics)",                   "amd-athlon-gold",      "Athlon Gold 3150U",        "3150U",         "3150U"},
  {R"(mobile AMD Athlon(tm) XP-M 2600+)",                             "amd-athlon-xp-m",      "Athlon XP-M 2600+",        "XP-M 2600+",    "2600+"},
  {R"(AMD Athlon(tm) XP Processor 3000+)",                            "amd-athlon-xp",        "Athlon XP 3000+",          "XP 3000+",      "3000+"},
  {R"(AMD Athlon(tm) Dual Core Processor 4450B)",                     "amd-athlon",           "Athlon 4450B",             "4450B",         "4450B"},
  {R"(AMD Phenom(tm) II X4 965 Processor)",                           "amd-phenom-ii-xn",     "Phenom II X4 965",         "X4 965",        "965"},
  {R"(AMD Phenom(tm) II N830 Triple-Core Processor)",                 "amd-phenom-ii",        "Phenom II N830",           "N830",          "N830"},
  {R"(AMD Phenom(tm) X4 Quad-Core Processor GP-9600)",                "amd-phenom-xn",        "Phenom X4 GP-9600",        "X4 GP-9600",    "GP-9600"},
  {R"(AMD Phenom(tm) 9650 Quad-Core Processor)",                      "amd-phenom",           "Phenom 9650",              "9650",          "9650"},
  {R"(AMD Turion(tm) 64 X2 Mobile Technology TL-58)",                 "amd-turion-64-x2",     "Turion 64 X2 TL-58",       "TL-58",         "TL-58"},
  {R"(AMD Turion(tm) 64 Mobile Technology MK-36)",                    "amd-turion-64",        "Turion 64 MK-36",          "MK-36",         "MK-36"},
  {R"(AMD Turion(tm) II Neo N40L Dual-Core Processor)",               "amd-turion-ii-neo",    "Turion II Neo N40L",       "N40L",          "N40L"},
  {R"(AMD Turion(tm) II P520 Dual-Core Processor)",                   "amd-turion-ii",        "Turion II P520",           "P520",          "P520"},
  {R"(AMD Turion(tm) X2 Dual-Core Mobile RM-70)",                     "amd-turion-x2",        "Turion X2 RM-70",          "RM-70",         "RM-70"},
  {R"(AMD Turion Dual-Core RM-70)",                                   "amd-turion",           "Turion RM-70",             "RM-70",         "RM-70"},
  {R"(AMD Sempron(tm) X2 190 Processor)",                             "amd-sempron-xn",       "Sempron X2 190",           "X2 190",        "190"},
  {R"(AMD Sempron(tm) Processor LE-1300)",                            "amd-sempron",          "Sempron LE-1300",          "LE-1300",       "LE-1300"},
  {R"(AMD Opteron(tm) Processor 4174 HE)",                            "amd-opteron",          "Opteron 4174 HE",          "4174 HE",       "4174 HE"},
  {R"(Dual Core AMD Opteron(tm) Processor 185)",                      "amd-opteron",          "Opteron 185",              "185",           "185"},
  {R"(AMD FX(tm)-8350 Eight-Core Processor)",                         "amd",                  "FX-8350",                  "FX-8350",       "FX-8350"},
  {R"(AMD A10 PRO-7800B R7, 12 Compute Cores 4C+8G)",                 "amd",                  "A10 PRO-7800B",            "A10-7800B", "A10 PRO-7800B"},
  {R"(AMD PRO A10-8770E R7, 10 COMPUTE CORES 4C+6G)",                 "amd",                  "PRO A10-8770E",            "A10-8770E", "PRO A10-8770E"},
  {R"(AMD E-450 APU with Radeon(tm) HD Graphics)",                    "amd",                  "E-450",                    "E-450",         "E-450"},
  {R"(AMD V140 Processor)",                                           "amd",                  "V140",                     "V140",          "V140"},
};
// clang-format on

TEST(ModelNumber, OneBrandStringPerRule) {
  std::set<std::string> rules;
  for (const Case& c : kRuleCases) {
    const auto reading = readModelNumber(c.brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << c.brand << "›";
    EXPECT_EQ(reading->rule, c.rule) << "‹" << c.brand << "›";
    EXPECT_EQ(reading->key, c.key) << "‹" << c.brand << "›";
    EXPECT_EQ(reading->shown, c.shown) << "‹" << c.brand << "›";
    EXPECT_EQ(reading->number, c.number) << "‹" << c.brand << "›";
    EXPECT_EQ(reading->number, withoutMarks(std::string_view(c.brand).substr(reading->at, reading->length)))
        << "‹" << c.brand << "›";
    EXPECT_EQ(reading->vendor,
              std::string_view(c.rule).starts_with("amd") ? platform::Vendor::Amd : platform::Vendor::Intel);
    rules.insert(c.rule);
  }
  EXPECT_EQ(rules.size(), 59u) << "every rule has a brand string in the table";
}

// The maker of a brand string, the one rule the pass and the reader use.
TEST(ModelNumber, TheBrandStringNamesItsMaker) {
  using platform::Vendor;
  // clang-format off
  const std::pair<const char*, Vendor> cases[] = {
    {R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)",                Vendor::Intel},
    {R"(AMD Ryzen 5 3600 6-Core Processor)",                      Vendor::Amd},
    {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)",         Vendor::Amd},
    {R"(Dual Core AMD Opteron(tm) Processor 185)",                Vendor::Amd},
    {R"(Mobile AMD Sempron(tm) Processor 3400+)",                 Vendor::Amd},
    {R"(Athlon 64 X2 Dual Core Processor 4200+)",                 Vendor::Amd},    // a line name without "AMD"
    {R"(Ryzen 7 PRO 4750U with Radeon Graphics)",                 Vendor::Amd},
    {R"(Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz)",        Vendor::Intel},
    {R"(QEMU Virtual CPU version 2.5+)",                          Vendor::Intel},  // every other brand string
    {R"(Hygon C86 3185  8-core Processor)",                       Vendor::Intel},
    {R"(Genuine Intel(R) CPU 0000 @ 2.00GHz)",                    Vendor::Intel},
    {R"(XAMD Ryzen)",                                             Vendor::Amd},    // "Ryzen" opens a word
    {R"(NotAMD processor)",                                       Vendor::Intel},  // "AMD" inside a word names nothing
    {"",                                                          Vendor::Intel},
  };
  // clang-format on
  for (const auto& [brand, vendor] : cases) EXPECT_EQ(brandVendor(brand), vendor) << "‹" << brand << "›";
  for (const Case& c : kRuleCases) {
    const auto reading = readModelNumber(c.brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << c.brand << "›";
    EXPECT_EQ(brandVendor(c.brand), reading->vendor) << "‹" << c.brand << "›";
  }
}

// What would be a wrong chip, or a guess: the reader must give nothing.
TEST(ModelNumber, ReadsNothingItIsNotSureOf) {
  const char* const brands[] = {
      R"(Intel(R) Pentium(R) 4 CPU 3.00GHz)",                // no number: Northwood or Prescott
      R"(Intel(R) Pentium(R) D CPU 2.80GHz)",                // no number
      R"(Intel(R) Celeron(R) M processor         1.50GHz)",  // a clock is no number
      R"(Intel(R) Pentium(R) M processor 1500MHz)",          // nor is one in MHz
      R"(Genuine Intel(R) CPU            2140  @ 1.60GHz)",  // digits without a line
      R"(Genuine Intel(R) CPU 0000 @ 3.40GHz)",              // nor these
      R"(Intel(R) Core(TM)2 Quad CPU           @ 2.66GHz)",  // the line without a number
      R"(Intel(R) Core(TM) i7 CPU       X 990  @ 3.47GHz)",  // X 990: 990X or 990XM, family/model unknown
      R"(Mobile Intel(R) Pentium(R) 4 - M CPU 2.20GHz)",
      R"(AMD Athlon(tm) 64 X2 Dual Core Processor)",  // Athlon 64 X2 never falls back to Athlon 64
      R"(AMD Athlon(tm))",
      R"(AMD Eng Sample, ZS288145TCG54_34/28/20_2/16)",
      R"(AMD Hammer Family processor - Model Unknown)",
      R"(310 APU 310 APU with AMD Radeon R4 Graphics)",
      R"(Pentium III (Coppermine))",
      R"(VIA Nano U3300@1200MHz)",
      "",
      "@@@",
  };
  for (const char* brand : brands) EXPECT_FALSE(readModelNumber(brand).has_value()) << "‹" << brand << "›";
}

// Every qualifier that names another chip stays in the key.
TEST(ModelNumber, KeepsTheQualifiers) {
  // clang-format off
  const std::pair<const char*, const char*> pairs[] = {
    {R"(Intel(R) Core(TM) i7-7700HQ CPU @ 2.80GHz)",           R"(Intel(R) Core(TM) i7-7700K CPU @ 4.20GHz)"},
    {R"(Intel(R) Core(TM) i5-4570TE CPU @ 2.70GHz)",           R"(Intel(R) Core(TM) i5-4570T CPU @ 2.90GHz)"},
    {R"(Intel(R) Celeron(R) M CPU        530  @ 1.73GHz)",     R"(Intel(R) Celeron(R) CPU          530  @ 1.73GHz)"},
    {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)",      R"(AMD Athlon(tm) 64 Processor 4200+)"},
    {R"(AMD Ryzen 7 PRO 3700U w/ Radeon Vega Mobile Gfx)",     R"(AMD Ryzen 7 3700U with Radeon Vega Mobile Gfx)"},
    {R"(AMD Ryzen Threadripper PRO 3955WX 16-Cores)",          R"(AMD Ryzen Threadripper 3960X 24-Core Processor)"},
    {R"(Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz)",     R"(Pentium(R) Dual-Core  CPU      E6600  @ 3.06GHz)"},
    {R"(AMD Opteron(tm) Processor 4174 HE)",                   R"(AMD Opteron(tm) Processor 4174)"},
  };
  // clang-format on
  for (const auto& [one, other] : pairs) {
    const auto a = readModelNumber(one);
    const auto b = readModelNumber(other);
    ASSERT_TRUE(a && b) << "‹" << one << "› ‹" << other << "›";
    EXPECT_NE(a->key, b->key) << "‹" << one << "› and ‹" << other << "›";
  }
}

// Where the brand string reads two ways, the family and model decide.
TEST(ModelNumber, FamilyAndModelDecideTheTwoWayReadings) {
  struct TwoWay {
    const char* brand;
    FamilyModel identity;
    const char* key;  // "" for no reading
  };
  // clang-format off
  const TwoWay cases[] = {
    {R"(Intel(R) Core(TM) i7 CPU       X 990  @ 3.47GHz)", {6, 44}, "i7-990X"},
    {R"(Intel(R) Core(TM) i7 CPU       X 920  @ 2.00GHz)", {6, 30}, "i7-920XM"},
    {R"(Intel(R) Core(TM) i7 CPU       X 975  @ 3.33GHz)", {6, 26}, "i7-975"},
    {R"(Intel(R) Core(TM) i7 CPU       X 990  @ 3.47GHz)", {6, 42}, ""},
    {R"(Intel(R) Core(TM) i7 CPU       X 990  @ 3.47GHz)", {15, 44}, ""},
    {R"(Intel(R) Core(TM) i5 CPU       M 460  @ 2.53GHz)", {6, 37}, "i5-460M"},
  };
  // clang-format on
  for (const TwoWay& c : cases) {
    const auto reading = readModelNumber(c.brand, c.identity);
    EXPECT_EQ(reading ? reading->key : "", c.key)
        << "‹" << c.brand << "› " << c.identity.family << "/" << c.identity.model;
  }
}

// The processor field is 65 pixels wide: about ten characters of its font.
// What the reader puts there, for every shape of the rule table, is the key
// shortened by the rule's shown prefix, never the whole key where that is
// longer, and it holds the number itself.
TEST(ModelNumber, ShownTextFitsTheProcessorField) {
  for (const Case& c : kRuleCases) {
    const auto reading = readModelNumber(c.brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << c.brand << "›";
    EXPECT_LE(reading->shown.size(), 10u) << "‹" << c.brand << "› shows " << reading->shown;
    EXPECT_LE(reading->shown.size(), reading->key.size()) << reading->key;
    EXPECT_FALSE(reading->shown.empty()) << reading->key;
  }
}

TEST(ModelNumber, MarksAndBlanksLeaveTheText) {
  EXPECT_EQ(withoutMarks("Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz"), "Intel Core2 Duo CPU E8400 @ 3.00GHz");
  EXPECT_EQ(withoutMarks("  AMD Athlon(tm)X2 DualCore QL-66 "), "AMD AthlonX2 DualCore QL-66");
  EXPECT_EQ(withoutMarks("(R)(TM)(tm)(r)"), "");
}

// The sheets the window is meant for: each of these machines' readings has its row.
TEST(ModelNumber, CommonMachinesFindTheirRow) {
  // clang-format off
  const std::pair<const char*, const char*> machines[] = {
    {R"(Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz)",              "Intel Core i5"},
    {R"(AMD Ryzen 5 3600 6-Core Processor)",                     "AMD Ryzen 5"},
    {R"(AMD FX(tm)-8350 Eight-Core Processor)",                  "AMD FX"},
    {R"(Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz)",       "Intel Core2 Duo"},
    {R"(Intel(R) Celeron(R) M processor 430 1.73GHz)",           "Intel Celeron M"},
    {R"(Intel(R) Atom(TM) x5-Z8350  CPU @ 1.44GHz)",             "Intel Atom"},
    {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)",        "AMD Athlon 64 X2"},
    {R"(Intel(R) Xeon(R) CPU E5-2670 v3 @ 2.30GHz)",             "Intel Xeon"},
    {R"(AMD A10 PRO-7800B R7, 12 Compute Cores 4C+8G)",          "AMD A10 PRO"},
  };
  // clang-format on
  for (const auto& [brand, line] : machines) {
    const auto reading = readModelNumber(brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << brand << "›";
    const auto row = findExtendedRow(reading->vendor, reading->key);
    ASSERT_TRUE(row.has_value()) << "no row for " << reading->key;
    EXPECT_EQ(row->productLine, line) << reading->key;
  }
}

// Shapes of the newer lines, read into the key their maker's product table
// gives (Intel's ProcessorNumber "165H" of "Intel Core Ultra 7 Processor
// 165H" is "Core 165H"; AMD's "AMD Ryzen AI 9 365" is "Ryzen AI 9 365"), with
// the line the extended table's tool names for it.
TEST(ModelNumber, ReadsTheNewerShapes) {
  struct Shape {
    const char* brand;
    const char* key;
    const char* line;
    int cores;
  };
  // clang-format off
  const Shape shapes[] = {
    {R"(Intel(R) Core(TM) Ultra 7 165H)",                 "Core 165H",           "Intel Core Ultra 7",  0},
    {R"(Intel(R) Core(TM) Ultra 9 285K)",                 "Core 285K",           "Intel Core Ultra 9",  0},
    {R"(Intel(R) Core(TM) Ultra 5 125U)",                 "Core 125U",           "Intel Core Ultra 5",  0},
    {R"(INTEL(R) XEON(R) PLATINUM 8592+)",                "Xeon Platinum 8592+", "Intel Xeon Platinum", 0},
    {R"(Intel(R) Xeon(R) 6780E)",                         "Xeon 6780E",          "Intel Xeon",          0},
    {R"(AMD Ryzen 9 9900X 12-Core Processor)",            "Ryzen 9 9900X",       "AMD Ryzen 9",         12},
    {R"(AMD Ryzen AI 9 365 w/ Radeon 880M)",              "Ryzen AI 9 365",      "AMD Ryzen AI 9",      0},
    {R"(AMD Ryzen AI 9 HX 370 w/ Radeon 890M)",           "Ryzen AI 9 HX 370",   "AMD Ryzen AI 9 HX",   0},
    {R"(AMD Ryzen 5 8600G w/ Radeon 760M Graphics)",      "Ryzen 5 8600G",       "AMD Ryzen 5",         0},
    {R"(AMD EPYC 9754 128-Core Processor)",               "EPYC 9754",           "AMD EPYC",            128},
    {R"(AMD Ryzen 7 7840HS w/ Radeon 780M Graphics)",     "Ryzen 7 7840HS",      "AMD Ryzen 7",         0},
    {R"(AMD RYZEN AI MAX+ 395 w/ Radeon 8060S)",          "Ryzen AI Max+ 395",   "AMD Ryzen AI Max+",   0},
    {R"(AMD Ryzen 5 PRO 215 w/ Radeon 740M Graphics)",    "Ryzen 5 PRO 215",     "AMD Ryzen 5 PRO",     0},
    {R"(Intel(R) Core(TM) 5 120U)",                       "Core 120U",           "Intel Core 5",        0},
    {R"(Intel(R) Core(TM) Ultra X7 358H)",                "Core 358H",           "Intel Core Ultra X7", 0},
    {R"(Intel(R) Core(TM) 3 N355)",                       "N355",                "Intel Core 3",        0},
    {R"(Intel(R) N95)",                                   "N95",                 "Intel Processor",     0},
    {R"(Intel(R) Xeon(R) 6710E)",                         "Xeon 6710E",          "Intel Xeon",          0},
    {R"(INTEL(R) XEON(R) GOLD 5520+)",                    "Xeon Gold 5520+",     "Intel Xeon Gold",     0},
    {R"(AMD EPYC 4244P 6-Core Processor)",                "EPYC 4244P",          "AMD EPYC",            6},
    {R"(AMD Ryzen Threadripper 7960X 24-Cores)",          "Ryzen Threadripper 7960X", "AMD Ryzen Threadripper", 24},
  };
  // clang-format on
  for (const Shape& s : shapes) {
    const auto reading = readModelNumber(s.brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << s.brand << "›";
    EXPECT_EQ(reading->key, s.key) << "‹" << s.brand << "›";
    const auto line = readBrandLine(s.brand);
    ASSERT_TRUE(line.has_value()) << "‹" << s.brand << "›";
    EXPECT_EQ(line->productLine, s.line) << "‹" << s.brand << "›";
    EXPECT_EQ(line->vendor, brandVendor(s.brand)) << "‹" << s.brand << "›";
    EXPECT_EQ(line->cores, s.cores) << "‹" << s.brand << "›";
  }
}

// Brand strings as machines write them, with and without a model number:
// the line, clock and core count they say, or nothing.
TEST(BrandLine, ReadsLineClockAndCores) {
  using platform::Vendor;
  struct Said {
    const char* brand;
    Vendor vendor;
    const char* line;
    int mhz;
    int cores;
  };
  // clang-format off
  const Said cases[] = {
    {R"(Intel(R) Pentium(R) 4 CPU 3.00GHz)",                     Vendor::Intel, "Intel Pentium 4",     3000, 0},
    {R"(Intel(R) Pentium(R) D CPU 2.80GHz)",                     Vendor::Intel, "Intel Pentium D",     2800, 0},
    {R"(Intel(R) Pentium(R) M processor 1.86GHz)",               Vendor::Intel, "Intel Pentium M",     1860, 0},
    {R"(Intel(R) Pentium(R) M processor 1500MHz)",               Vendor::Intel, "Intel Pentium M",     1500, 0},
    {R"(Intel(R) Celeron(R) M processor         1.50GHz)",       Vendor::Intel, "Intel Celeron M",     1500, 0},
    {R"(Intel(R) Celeron(R) CPU 3.06GHz)",                       Vendor::Intel, "Intel Celeron",       3060, 0},
    {R"(Intel(R) Celeron(R) D CPU 3.33GHz)",                     Vendor::Intel, "Intel Celeron D",     3330, 0},
    {R"(Mobile Intel(R) Pentium(R) 4 - M CPU 2.20GHz)",          Vendor::Intel, "Intel Pentium 4-M",   2200, 0},
    {R"(Mobile Intel(R) Pentium(R) 4     CPU 3.20GHz)",          Vendor::Intel, "Intel Pentium 4",     3200, 0},
    {R"(Intel(R) Xeon(TM) CPU 3.00GHz)",                         Vendor::Intel, "Intel Xeon",          3000, 0},
    {R"(Intel(R) Core(TM)2 Quad CPU           @ 2.66GHz)",       Vendor::Intel, "Intel Core2 Quad",    2660, 0},
    {R"(Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz)",       Vendor::Intel, "Intel Core2 Duo",     2400, 0},
    {R"(Intel(R) Core(TM)2 CPU         X6800  @ 2.93GHz)",       Vendor::Intel, "Intel Core2 Extreme", 2930, 0},
    {R"(Intel(R) Core(TM) Duo CPU      T2450  @ 2.00GHz)",       Vendor::Intel, "Intel Core Duo",      2000, 0},
    {R"(Intel(R) Core(TM) i5 CPU       M 460  @ 2.53GHz)",       Vendor::Intel, "Intel Core i5",       2530, 0},
    {R"(11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz)",        Vendor::Intel, "Intel Core i7",       2800, 0},
    {R"(Intel(R) Core(TM) m3-6Y30 CPU @ 0.90GHz)",               Vendor::Intel, "Intel Core m3",       900,  0},
    {R"(Intel(R) Core(TM) M-5Y10c CPU @ 0.80GHz)",               Vendor::Intel, "Intel Core M",        800,  0},
    {R"(Pentium(R) Dual-Core  CPU      E5300  @ 2.60GHz)",       Vendor::Intel, "Intel Pentium",       2600, 2},
    {R"(Intel(R) Pentium(R) III CPU family      1266MHz)",       Vendor::Intel, "Intel Pentium III",   1266, 0},
    {R"(Pentium III (Coppermine))",                              Vendor::Intel, "Intel Pentium III",   0,    0},
    {R"(Genuine Intel(R) CPU        @ 1.66GHz)",                 Vendor::Intel, "",                    1660, 0},
    {R"(Genuine Intel(R) processor               800MHz)",       Vendor::Intel, "",                    800,  0},
    {R"(AMD Athlon(tm))",                                        Vendor::Amd,   "AMD Athlon",          0,    0},
    {R"(AMD Athlon(tm) 64 X2 Dual Core Processor 4200+)",        Vendor::Amd,   "AMD Athlon 64 X2",    0,    2},
    {R"(AMD Athlon(tm) 64 X2 Dual Core Processor)",              Vendor::Amd,   "AMD Athlon 64 X2",    0,    2},
    {R"(AMD Athlon(tm)X2 DualCore QL-66)",                       Vendor::Amd,   "AMD Athlon X2",       0,    2},
    {R"(AMD Athlon Dual-Core QL-62)",                            Vendor::Amd,   "AMD Athlon",          0,    2},
    {R"(Quad-Core AMD Opteron(tm) Processor 2352)",              Vendor::Amd,   "AMD Opteron",         0,    4},
    {R"(AMD Opteron(tm) Processor 4174 HE)",                     Vendor::Amd,   "AMD Opteron",         0,    0},
    {R"(Mobile AMD Duron(tm) processor)",                        Vendor::Amd,   "AMD Duron",           0,    0},
    {R"(Mobile AMD Sempron(tm))",                                Vendor::Amd,   "AMD Sempron",         0,    0},
    {R"(AMD A10 PRO-7800B R7, 12 Compute Cores 4C+8G)",          Vendor::Amd,   "AMD A10 PRO",         0,    0},  // compute cores are not cores
    {R"(AMD PRO A10-8770E R7, 10 COMPUTE CORES 4C+6G)",          Vendor::Amd,   "AMD PRO A10",         0,    0},
    {R"(AMD FX(tm)-8350 Eight-Core Processor)",                  Vendor::Amd,   "AMD FX",              0,    8},
    {R"(AMD Ryzen Threadripper PRO 3955WX 16-Cores)",            Vendor::Amd,   "AMD Ryzen Threadripper PRO", 0, 16},
    {R"(VIA C7-M Processor 1200MHz)",                            Vendor::Other, "VIA C7-M",            1200, 0},
    {R"(VIA Nano processor U2250@1300+MHz)",                     Vendor::Other, "VIA Nano",            1300, 0},
    {R"(VIA Esther processor 1000MHz)",                          Vendor::Other, "",                    1000, 0},
    {R"(HP Hexa-Core 2.0GHz)",                                   Vendor::Other, "",                    2000, 6},
    {R"(Hygon C86 3185  8-core Processor @ 2.00 GHz)",           Vendor::Other, "",                    2000, 8},
  };
  // clang-format on
  for (const Said& c : cases) {
    const auto said = readBrandLine(c.brand);
    ASSERT_TRUE(said.has_value()) << "‹" << c.brand << "›";
    EXPECT_EQ(said->vendor, c.vendor) << "‹" << c.brand << "›";
    EXPECT_EQ(said->productLine, c.line) << "‹" << c.brand << "›";
    EXPECT_EQ(said->clockMhz, c.mhz) << "‹" << c.brand << "›";
    EXPECT_EQ(said->cores, c.cores) << "‹" << c.brand << "›";
  }
  for (const char* brand :
       {R"(AMD Processor Model Unknown)", R"(AMD Hammer Family processor - Model Unknown)", R"(AMD Six-Core Processor)",
        R"(QEMU Virtual CPU version 2.5+)", "06/17", "", "@@@", R"(Genuine Intel(R) CPU $0000%@)"})
    EXPECT_FALSE(readBrandLine(brand).has_value()) << "‹" << brand << "›";
}

// The graphics a brand string names, in the extended table's form, or none.
TEST(BrandLine, ReadsTheGraphicsItNames) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
    {R"(AMD Ryzen 7 8845HS w/ Radeon 780M Graphics)",         "AMD Radeon 780M"},
    {R"(AMD Ryzen AI 9 365 w/ Radeon 880M)",                  "AMD Radeon 880M"},
    {R"(AMD RYZEN AI MAX+ 395 w/ Radeon 8060S)",              "AMD Radeon 8060S"},
    {R"(AMD Ryzen 5 5500U with Radeon Graphics)",             "AMD Radeon Graphics"},
    {R"(AMD A8-7410 APU with AMD Radeon R5 Graphics)",        "AMD Radeon R5 Graphics"},
    {R"(AMD Ryzen 7 PRO 3700U w/ Radeon Vega Mobile Gfx)",    ""},  // no count of its units
    {R"(AMD E-450 APU with Radeon(tm) HD Graphics)",          ""},
    {R"(AMD Ryzen 7 9700X 8-Core Processor)",                 ""},
    {R"(Intel(R) Core(TM) i7-8809G CPU @ 3.10GHz)",           ""},
  };
  // clang-format on
  for (const auto& [brand, graphics] : cases) {
    const auto said = readBrandLine(brand);
    ASSERT_TRUE(said.has_value()) << "‹" << brand << "›";
    EXPECT_EQ(said->graphics, graphics) << "‹" << brand << "›";
  }
}

// The line is the extended table's own: for every brand string of the rule
// table whose key has a row, the row's product_line is the line read, but
// where the brand string names another line than the product's later name
// or none at all.
TEST(BrandLine, LineIsTheExtendedTablesLine) {
  // clang-format off
  const std::pair<std::string_view, std::string_view> namedOtherwise[] = {
    {"Pentium 4415U", "Intel Pentium"},  // sold as the Pentium Gold 4415U; the brand string says "Pentium"
    {"T2300",         ""},               // "Genuine Intel(R) CPU" names no line
    // The table's line is shortened to fit its field ("AMD Threadripper Pro").
    {"Ryzen Threadripper PRO 3955WX", "AMD Ryzen Threadripper PRO"},
    {"Ryzen Threadripper 1950X",      "AMD Ryzen Threadripper"},
  };
  // clang-format on
  int rows = 0;
  for (const Case& c : kRuleCases) {
    const auto reading = readModelNumber(c.brand);
    ASSERT_TRUE(reading.has_value()) << "‹" << c.brand << "›";
    const auto row = findExtendedRow(reading->vendor, reading->key);
    if (!row || row->productLine.empty()) continue;
    ++rows;
    std::string_view line = row->productLine;
    for (const auto& [key, written] : namedOtherwise)
      if (reading->key == key) line = written;
    const auto said = readBrandLine(c.brand);
    EXPECT_EQ(said ? said->productLine : "", line) << "‹" << c.brand << "› key " << reading->key;
  }
  EXPECT_GE(rows, 50) << "most of the rule table's brand strings have a row";
}

// Numbers that the product tables list under another name answer with the
// table's row; where the number alone could be another chip, only with the
// family and model the row names.
TEST(ModelNumber, NumbersKnownUnderAnotherName) {
  struct Known {
    const char* brand;
    std::optional<FamilyModel> identity;
    const char* key;  // "" for no reading
  };
  // clang-format off
  const Known cases[] = {
    {R"(Genuine Intel(R) CPU           U7300  @ 1.30GHz)",  std::nullopt,        "Core2 U7300"},
    {R"(Genuine Intel(R) CPU           U4100  @ 1.30GHz)",  std::nullopt,        "SU4100"},
    {R"(Genuine Intel(R) CPU           U2700  @ 1.30GHz)",  std::nullopt,        "SU2700"},
    {R"(Genuine Intel(R) CPU           U2300  @ 1.20GHz)",  std::nullopt,        "SU2300"},
    {R"(Intel(R) Core(TM)2 Duo CPU     L9400  @ 1.86GHz)",  std::nullopt,        "Core2 SL9400"},
    {R"(Genuine Intel(R) CPU            2140  @ 1.60GHz)",  FamilyModel{6, 15},  "E2140"},
    {R"(Genuine Intel(R) CPU            2140  @ 1.60GHz)",  FamilyModel{6, 23},  ""},
    {R"(Genuine Intel(R) CPU            2140  @ 1.60GHz)",  std::nullopt,        ""},
    {R"(Genuine Intel(R) CPU             585  @ 2.16GHz)",  FamilyModel{6, 15},  "Celeron 585"},
    {R"(Intel(R) Celeron(R) CPU          585  @ 2.16GHz)",  std::nullopt,        "Celeron 585"},  // the line's own reading
    {R"(Intel(R) Pentium(R) Dual  CPU  E2140  @ 1.60GHz)",  FamilyModel{6, 15},  "E2140"},
    {R"(Genuine Intel(R) CPU 0000 @ 3.40GHz)",              FamilyModel{6, 158}, ""},  // engineering samples
    {R"(Genuine Intel(R) CPU 0000 @ 2.00GHz)",              FamilyModel{6, 79},  ""},
    {R"(Genuine Intel(R) CPU             000  @ 2.67GHz)",  FamilyModel{6, 26},  ""},
  };
  // clang-format on
  for (const Known& c : cases) {
    const auto reading = readModelNumber(c.brand, c.identity);
    EXPECT_EQ(reading ? reading->key : "", c.key) << "‹" << c.brand << "›";
    if (!reading) continue;
    EXPECT_TRUE(findExtendedRow(reading->vendor, reading->key).has_value()) << reading->key;
    EXPECT_LE(reading->shown.size(), 10u) << reading->shown;
  }
}

// Every alias answers with a row of the extended table, names its source,
// and no engineering sample's zeros stand for a product.
TEST(ModelNumber, EveryAliasHasItsRow) {
  std::set<std::string> seen;
  for (const NumberAlias& alias : numberAliases()) {
    EXPECT_TRUE(findExtendedRow(platform::Vendor::Intel, alias.key).has_value()) << alias.key;
    EXPECT_FALSE(alias.source.empty()) << alias.number;
    EXPECT_NE(alias.number.find_first_not_of('0'), std::string_view::npos) << "zeros name no product";
    EXPECT_TRUE(seen.insert(std::string(alias.rule) + " " + std::string(alias.number)).second) << alias.number;
    // A number of digits alone could be any chip: the family and model must agree.
    if (alias.number.find_first_not_of("0123456789") == std::string_view::npos) {
      EXPECT_NE(alias.family, 0) << alias.number;
    }
  }
}

}  // namespace
}  // namespace wexmora
