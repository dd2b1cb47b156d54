// The extended table: invariants over every embedded row (the lookup's
// binary search needs the keys in ascending byte order; every field stands in
// the catalogue's display form or is empty), and lookups of known rows.
#include "core/extended/extended_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "base/join.h"
#include "core/data/extended_rows.h"

namespace wexmora {
namespace {

std::vector<std::string> fields(std::string_view row) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t tab; (tab = row.find('\t', start)) != std::string_view::npos; start = tab + 1)
    out.emplace_back(row.substr(start, tab - start));
  out.emplace_back(row.substr(start));
  return out;
}

using C = catalogue::ExtendedColumn;

// clang-format off
// column                form of a non-empty value
const std::pair<C, const char*> kForms[] = {
  {C::Vendor,           R"(Intel|AMD)"},
  {C::Base,             R"(\d{1,2}\.\d\d GHz)"},
  {C::Turbo,            R"(\d{1,2}\.\d\d GHz)"},
  {C::Cores,            R"([1-9]\d{0,2})"},
  {C::Threads,          R"([1-9]\d{0,2})"},
  {C::PerformanceCores, R"(\d{1,3})"},
  {C::EfficientCores,   R"(\d{1,3})"},
  {C::LowPowerCores,    R"(\d{1,3})"},
  {C::MaxTemperature,   R"(\d{2,3}°C)"},
  {C::Lithography,      R"(\d{1,3} nm|Intel \d+A?)"},
  {C::L3Cache,          R"(\d+(\.\d+)? (Mb|Kb)( L2)?|-)"},  // the L3, or for a processor without one its L2 or "-"
  {C::Pcie,             R"(\d\.\d(, \d\.\d)*)"},
  {C::Technologies,     R"([A-Za-z0-9.-]+(, [A-Za-z0-9.-]+)*)"},
  {C::Source,           R"((intel|amd|specs|hand)(\+(intel|amd|specs|hand|basics))*|basics)"},
};
// clang-format on

int count(const std::string& text) { return text.empty() ? 0 : std::stoi(text); }

TEST(ExtendedTable, EveryRowInItsForm) {
  const std::map<std::string, std::string> segments = {{"Desktop", "Настольного"},     {"Mobile", "Мобильного"},
                                                       {"Server", "Сервера"},          {"Embedded", "Встроенного"},
                                                       {"Workstation", "Workstation"}, {"", ""}};
  const auto rows = catalogue::extendedProcessorRows();
  ASSERT_GT(rows.size(), 4000u);
  EXPECT_EQ(extendedRowCount(), rows.size());
  std::vector<std::pair<C, std::regex>> forms;
  for (const auto& [column, form] : kForms) forms.emplace_back(column, std::regex(form));
  std::string previous;
  for (const std::string_view row : rows) {
    const auto f = fields(row);
    ASSERT_EQ(f.size(), catalogue::kExtendedColumns) << row;
    const auto at = [&f](C column) -> const std::string& { return f[catalogue::columnIndex(column)]; };
    const std::string& key = at(C::Key);
    EXPECT_FALSE(key.empty()) << row;
    EXPECT_LT(previous, key) << "keys out of order or twice at " << key;
    previous = key;
    for (const auto& [column, form] : forms) {
      if (!at(column).empty()) {
        EXPECT_TRUE(std::regex_match(at(column), form))
            << key << " column " << catalogue::kExtendedColumnNames[catalogue::columnIndex(column)] << ": "
            << at(column);
      }
    }
    ASSERT_TRUE(segments.count(at(C::SegmentEnglish))) << key << ": segment " << at(C::SegmentEnglish);
    EXPECT_EQ(at(C::SegmentRussian), segments.at(at(C::SegmentEnglish)))
        << key << ": the two languages' segments differ";
    if (!at(C::ProductLine).empty()) {
      EXPECT_TRUE(at(C::ProductLine) == "AMD" || at(C::ProductLine).starts_with(at(C::Vendor) + " "))
          << key << ": product line " << at(C::ProductLine);
    }
    const int cores = count(at(C::Cores)), threads = count(at(C::Threads));
    if (cores && threads) {
      EXPECT_LE(cores, threads) << key;
    }
    // A hybrid's kinds of core add up to its cores, and only a hybrid has them.
    const int kinds[] = {count(at(C::PerformanceCores)), count(at(C::EfficientCores)), count(at(C::LowPowerCores))};
    if (!at(C::PerformanceCores).empty() || !at(C::EfficientCores).empty()) {
      EXPECT_EQ(kinds[0] + kinds[1] + kinds[2], cores) << key << ": the kinds of core do not add up";
      EXPECT_GE((kinds[0] > 0) + (kinds[1] > 0) + (kinds[2] > 0), 2) << key << ": one kind of core is no hybrid";
    }
  }
}

TEST(ExtendedTable, FindsExactlyTheRowOfTheKey) {
  const auto laptop = findExtendedRow("i5-8250U");
  ASSERT_TRUE(laptop.has_value());
  EXPECT_EQ(laptop->productLine, "Intel Core i5");
  EXPECT_EQ(laptop->baseClock, "1.60 GHz");
  EXPECT_EQ(laptop->turboClock, "3.40 GHz");
  EXPECT_EQ(laptop->cores, "4");
  EXPECT_EQ(laptop->threads, "8");
  EXPECT_EQ(laptop->segmentEnglish, "Mobile");
  EXPECT_EQ(laptop->l3Cache, "6 Mb");
  EXPECT_EQ(laptop->lithography, "14 nm");
  EXPECT_EQ(laptop->source, "intel+basics");
  EXPECT_EQ(laptop->vendor, platform::Vendor::Intel);

  const auto desktop = findExtendedRow(platform::Vendor::Amd, "Ryzen 5 3600");
  ASSERT_TRUE(desktop.has_value());
  EXPECT_EQ(desktop->cores, "6");
  EXPECT_EQ(desktop->threads, "12");
  EXPECT_EQ(desktop->l3Cache, "32 Mb");
  EXPECT_EQ(desktop->segmentRussian, "Настольного");
  EXPECT_EQ(desktop->vendor, platform::Vendor::Amd);

  // Keys compare whole and exactly.
  ASSERT_TRUE(findExtendedRow("i5-750") && findExtendedRow("i5-750S"));
  EXPECT_NE(findExtendedRow("i5-750")->baseClock, findExtendedRow("i5-750S")->baseClock);
  EXPECT_FALSE(findExtendedRow("I5-8250U"));
  EXPECT_FALSE(findExtendedRow("i5-8250"));
  EXPECT_FALSE(findExtendedRow(""));
  EXPECT_FALSE(findExtendedRow("zzzz"));
  // A row of the other maker is no answer.
  EXPECT_FALSE(findExtendedRow(platform::Vendor::Amd, "i5-8250U"));
  EXPECT_TRUE(findExtendedRow(platform::Vendor::Intel, "i5-8250U"));
  // The first and the last row are found too.
  const auto rows = catalogue::extendedProcessorRows();
  for (const std::string_view row : {rows.front(), rows.back()}) {
    const std::string key(row.substr(0, row.find('\t')));
    ASSERT_TRUE(findExtendedRow(key)) << key;
    EXPECT_EQ(findExtendedRow(key)->key, key);
  }
}

// clang-format off
struct DieCase {
  const char* vendor;
  int family, model, stepping;  // stepping -1: not known
  const char* codeName;         // nullptr: no row answers
  const char* lithography;
};
const DieCase kDies[] = {
  {"Intel",   6,  42, -1, "Sandy Bridge",  "32 nm"},
  // One model, several dies told apart by the stepping.
  {"Intel",   6,  85,  4, "Skylake-SP / Skylake-X", "14 nm"},
  {"Intel",   6,  85,  7, "Cascade Lake",  "14 nm"},
  {"Intel",   6,  85, 11, "Cooper Lake",   "14 nm"},
  // ... and without the stepping, none of them.
  {"Intel",   6,  85, -1, nullptr,         nullptr},
  {"Intel",   6, 142, -1, nullptr,         nullptr},
  {"AMD",    23, 113,  0, "Matisse",       "7 nm"},
  {"AMD",    25,  17,  1, "Genoa",         "5 nm"},
  // The same numbers name another maker's die, or none.
  {"AMD",     6,  42, -1, nullptr,         nullptr},
  {"Intel",   6, 999, -1, nullptr,         nullptr},
  {"Hygon",  24,   0,  1, "Dhyana",        "14 nm"},
};
// clang-format on

TEST(ExtendedTable, TheFamilyModelTableNamesTheDie) {
  for (const DieCase& c : kDies) {
    SCOPED_TRACE(std::string(c.vendor) + " " + std::to_string(c.family) + "/" + std::to_string(c.model) + "/" +
                 std::to_string(c.stepping));
    const auto die = findFamilyModelRow(c.vendor, c.family, c.model, c.stepping);
    ASSERT_EQ(die.has_value(), c.codeName != nullptr);
    if (!die) continue;
    EXPECT_EQ(die->codeName, c.codeName);
    EXPECT_EQ(die->lithography, c.lithography);
  }
  for (const std::string_view row : catalogue::extendedFamilyModelRows())
    EXPECT_EQ(fields(row).size(), catalogue::kFamilyModelColumns) << row;
  for (const std::string_view row : catalogue::extendedTechnologyRows())
    EXPECT_EQ(fields(row).size(), catalogue::kTechnologyColumns) << row;
}

TEST(ExtendedTable, TheMakerOfTheFamilyModelTable) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
    {"Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",  "Intel"},
    {"AMD Ryzen 5 3600 6-Core Processor",        "AMD"},
    {"Hygon C86 3185  8-core Processor",         "Hygon"},
    {"VIA Nano processor U2250@1300+MHz",        "VIA"},
    {"CentaurHauls",                             "VIA"},
    {"ZHAOXIN KaiXian KX-6640MA@2.2+GHz",        "Zhaoxin"},
    {"Genuine Intel(R) CPU        @ 1.66GHz",    "Intel"},
  };
  // clang-format on
  for (const auto& [brand, vendor] : cases) EXPECT_EQ(familyModelVendor(brand), vendor) << brand;
}

TEST(ExtendedTable, MicroarchitectureByCodeName) {
  EXPECT_EQ(microarchitectureOfCodeName("AMD", "Matisse"), "Zen 2");
  EXPECT_EQ(microarchitectureOfCodeName("Intel", "COFFEE LAKE"), "Skylake");
  EXPECT_EQ(microarchitectureOfCodeName("Intel", "Matisse"), "");
  EXPECT_EQ(microarchitectureOfCodeName("AMD", ""), "");
}

// clang-format off
struct TechnologyCase {
  const char* vendor;
  const char* microarchitecture;
  const char* productLine;
  std::vector<std::string> has, lacks;
};
const TechnologyCase kTechnologies[] = {
  // The Pentium and Celeron of Skylake to Comet Lake have no AVX; the Core i of the same dies do.
  {"Intel", "Skylake", "Intel Pentium",  {"SSE4.2", "AES", "EM64T"},        {"AVX", "AVX2", "FMA3", "AVX-512"}},
  {"Intel", "Skylake", "Intel Celeron",  {"SSE4.2"},                        {"AVX", "AVX2"}},
  {"Intel", "Skylake", "Intel Core i5",  {"AVX", "AVX2", "FMA3", "EM64T"},  {"AVX-512", "AMD64", "AMD-V"}},
  {"AMD",   "Zen 2",   "AMD Ryzen 5",    {"AVX2", "SHA", "SSE4A", "AMD64", "AMD-V"}, {"AVX-512", "EM64T", "VT-x", "FMA4"}},
  {"AMD",   "Zen 4",   "AMD Ryzen 7",    {"AVX-512", "AVX2"},               {"FMA4"}},
  {"AMD",   "K10",     "AMD Phenom II",  {"SSE4A", "SSE3"},                 {"SSSE3", "AVX"}},
};
// clang-format on

TEST(ExtendedTable, TechnologiesOfTheMicroarchitectureAndLine) {
  for (const TechnologyCase& c : kTechnologies) {
    SCOPED_TRACE(std::string(c.microarchitecture) + " " + c.productLine);
    const std::vector<std::string> named =
        base::splitAtCommas(microarchitectureTechnologies(c.vendor, c.microarchitecture, c.productLine));
    for (const std::string& one : c.has) EXPECT_NE(std::find(named.begin(), named.end(), one), named.end()) << one;
    for (const std::string& one : c.lacks) EXPECT_EQ(std::find(named.begin(), named.end(), one), named.end()) << one;
  }
  EXPECT_EQ(microarchitectureTechnologies("Intel", "Zen 2", "AMD Ryzen 5"), "") << "another maker's name";
  EXPECT_EQ(microarchitectureTechnologies("AMD", "", "AMD Ryzen 5"), "");
}

TEST(ExtendedTable, TheRowsOfAProductLine) {
  const auto rows = extendedRowsOfLine("Intel Pentium 4");
  ASSERT_FALSE(rows.empty());
  for (const ExtendedRow& row : rows) EXPECT_EQ(row.productLine, "Intel Pentium 4") << row.key;
  // A line is matched whole: "Intel Pentium" is not "Intel Pentium 4".
  for (const ExtendedRow& row : extendedRowsOfLine("Intel Pentium")) EXPECT_EQ(row.productLine, "Intel Pentium");
  EXPECT_TRUE(extendedRowsOfLine("").empty());
  EXPECT_TRUE(extendedRowsOfLine("Intel Pentium 4 X").empty());
}

}  // namespace
}  // namespace wexmora
