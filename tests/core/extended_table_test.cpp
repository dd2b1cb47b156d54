// The extended table: invariants over every embedded row (the lookup's
// binary search needs the keys in ascending byte order; every field stands in
// the catalogue's display form or is empty), and lookups of known rows.
#include "core/extended/extended_table.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

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

// clang-format off
// column                 form of a non-empty value
const std::pair<std::size_t, const char*> kForms[] = {
  {1,  R"(Intel|AMD)"},
  {3,  R"(\d{1,2}\.\d\d GHz)"},
  {4,  R"(\d{1,2}\.\d\d GHz)"},
  {5,  R"([1-9]\d{0,2})"},
  {6,  R"([1-9]\d{0,2})"},
  {11, R"(\d{2,3}°C)"},
  {12, R"(\d{1,3} nm)"},
  {15, R"(\d+(\.\d+)? Mb)"},
  {16, R"(\d\.\d(, \d\.\d)*)"},
  {17, R"([A-Za-z0-9.-]+(, [A-Za-z0-9.-]+)*)"},
  {18, R"((intel|amd|basics)(\+basics)?)"},
};
// clang-format on

TEST(ExtendedTable, EveryRowInItsForm) {
  const std::map<std::string, std::string> segments = {{"Desktop", "Настольного"},     {"Mobile", "Мобильного"},
                                                       {"Server", "Сервера"},          {"Embedded", "Встроенного"},
                                                       {"Workstation", "Workstation"}, {"", ""}};
  const auto rows = catalogue::extendedProcessorRows();
  ASSERT_GT(rows.size(), 4000u);
  EXPECT_EQ(extendedRowCount(), rows.size());
  std::vector<std::pair<std::size_t, std::regex>> forms;
  for (const auto& [column, form] : kForms) forms.emplace_back(column, std::regex(form));
  std::string previous;
  for (const std::string_view row : rows) {
    const auto f = fields(row);
    ASSERT_EQ(f.size(), catalogue::kExtendedColumns) << row;
    EXPECT_FALSE(f[0].empty()) << row;
    EXPECT_LT(previous, f[0]) << "keys out of order or twice at " << f[0];
    previous = f[0];
    for (const auto& [column, form] : forms) {
      if (!f[column].empty()) {
        EXPECT_TRUE(std::regex_match(f[column], form)) << f[0] << " column " << column << ": " << f[column];
      }
    }
    ASSERT_TRUE(segments.count(f[8])) << f[0] << ": segment " << f[8];
    EXPECT_EQ(f[9], segments.at(f[8])) << f[0] << ": the two languages' segments differ";
    if (!f[2].empty()) {
      EXPECT_TRUE(f[2] == "AMD" || f[2].starts_with(f[1] + " ")) << f[0] << ": product line " << f[2];
    }
    const int cores = f[5].empty() ? 0 : std::stoi(f[5]);
    const int threads = f[6].empty() ? 0 : std::stoi(f[6]);
    if (cores && threads) {
      EXPECT_LE(cores, threads) << f[0];
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

TEST(ExtendedTable, FamilyModelRowsNameOnlyWhatIsCertain) {
  const auto sandy = findFamilyModelRow(platform::Vendor::Intel, 6, 42);
  ASSERT_TRUE(sandy.has_value());
  EXPECT_EQ(sandy->codeName, "Sandy Bridge");
  EXPECT_EQ(sandy->lithography, "32 nm");
  // Model 142 is Kaby Lake, Kaby Lake R, Whiskey Lake, Amber Lake, Comet Lake: no code name, one lithography.
  const auto many = findFamilyModelRow(platform::Vendor::Intel, 6, 142);
  ASSERT_TRUE(many.has_value());
  EXPECT_EQ(many->codeName, "");
  EXPECT_EQ(many->lithography, "14 nm");
  EXPECT_FALSE(findFamilyModelRow(platform::Vendor::Intel, 6, 9999));
  EXPECT_FALSE(findFamilyModelRow(platform::Vendor::Amd, 6, 42));
  for (const std::string_view row : catalogue::extendedFamilyModelRows())
    EXPECT_EQ(fields(row).size(), catalogue::kFamilyModelColumns) << row;
}

}  // namespace
}  // namespace wexmora
