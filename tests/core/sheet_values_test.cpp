// The sheet's values and their forms: every form the sources write read into
// its typed value, what is no such form read as nothing; and a field set by
// a source holds the control's text and the sheet's fact together.
#include "core/model/sheet_values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/model/control_names.h"
#include "core/model/form_model.h"

namespace wexmora {
namespace {

using namespace main_controls;

TEST(SheetValues, ReadsClocksAndWritesThem) {
  // clang-format off
  const std::pair<const char*, std::optional<int>> clocks[] = {
    {"4.00 GHz", 4000}, {" 3.2 GHz", 3200}, {"2.667 GHz", 2667}, {"3.3 GHz", 3300},
    {"-", std::nullopt}, {" GHz", std::nullopt}, {"4.00 MHz", std::nullopt}, {"", std::nullopt}, {"999.0 GHz", std::nullopt},
  };
  // clang-format on
  for (const auto& [text, mhz] : clocks) EXPECT_EQ(clockMhzOf(text), mhz) << text;
  EXPECT_EQ(clockText(2800), "2.80 GHz");
  EXPECT_EQ(clockText(3995), "4.00 GHz");  // rounded to 10 MHz
  EXPECT_EQ(clockText(5), "0.01 GHz");
}

TEST(SheetValues, ReadsCachesWithTheirLevel) {
  // clang-format off
  const std::pair<const char*, std::optional<CacheSize>> caches[] = {
    {"9 Mb",     CacheSize{9u << 20, 3}},
    {"1.5 Mb",   CacheSize{3u << 19, 3}},
    {"19.25 Mb", CacheSize{77u << 18, 3}},
    {"512 Kb",   CacheSize{512u << 10, 3}},
    {"4 Mb L2",  CacheSize{4u << 20, 2}},
    {"-",        std::nullopt},
    {"Unknown",  std::nullopt},
    {"Mb",       std::nullopt},
  };
  // clang-format on
  for (const auto& [text, size] : caches) EXPECT_EQ(cacheSizeOf(text), size) << text;
  EXPECT_EQ(cacheBytesOf("6 Mb L2"), std::nullopt) << "an L2 is no L3";
}

TEST(SheetValues, ReadsCountsTemperaturesAndNodes) {
  EXPECT_EQ(countOf("6"), 6);
  EXPECT_EQ(countOf("128"), 128);
  for (const char* none : {"", "-", "6 ", "Unknown", "1234567"}) EXPECT_EQ(countOf(none), 0) << none;
  EXPECT_EQ(celsiusOf("100°C"), 100.0);
  EXPECT_EQ(celsiusOf("72.72°C"), 72.72);
  EXPECT_EQ(celsiusOf("105 °C"), 105.0);
  EXPECT_EQ(celsiusOf("100"), std::nullopt);
  EXPECT_EQ(lithographyOf("14 nm"), (Lithography{14, ""}));
  EXPECT_EQ(lithographyOf("65 nm / 40 nm"), (Lithography{65, ""}));
  EXPECT_EQ(lithographyOf("Intel 4"), (Lithography{0, "Intel 4"}));
  EXPECT_EQ(lithographyOf("Intel 18A"), (Lithography{0, "Intel 18A"}));
  EXPECT_EQ(lithographyOf("Unknown"), std::nullopt);
  EXPECT_EQ(lithographyOf("0 nm"), std::nullopt);
}

TEST(SheetValues, ReadsMemoryTypesWithTheirSpeeds) {
  // clang-format off
  const std::pair<const char*, std::vector<MemoryType>> memories[] = {
    {"DDR4-2666 MHz",                         {{"DDR4", {2666}}}},
    {"DDR4-3200 MHz, DDR5-5600 MHz",          {{"DDR4", {3200}}, {"DDR5", {5600}}}},
    {"DDR3/DDR3L-1333/1600 MHz",              {{"DDR3", {1333, 1600}}, {"DDR3L", {1333, 1600}}}},
    {"DDR5-5600,LPDDR5/LPDDR5x-7467 MHz",     {{"DDR5", {5600}}, {"LPDDR5", {7467}}, {"LPDDR5x", {7467}}}},
    {"DDR4",                                  {{"DDR4", {}}}},
    {"DDR5, LPDDR5X",                         {{"DDR5", {}}, {"LPDDR5X", {}}}},
    {"Unknown",                               {}},
    {"",                                      {}},
  };
  // clang-format on
  for (const auto& [text, types] : memories) EXPECT_EQ(memoryOf(text), types) << text;
}

// A source sets the control's text and the sheet's fact in one step; "-"
// says the processor has none.
TEST(SheetValues, AFieldSetHoldsTextAndFact) {
  TForm15 form;
  setSheetField(form, kTurboClock, "4.00 GHz");
  setSheetField(form, kCores, "6");
  setSheetField(form, kL3Cache, "-");
  setSheetField(form, kGraphics, "-");
  setSheetField(form, kPcie, "4.0, 5.0");
  setSheetField(form, kTechnologies, "AVX2, HT, SSE4.2");
  const DataSheet& sheet = form.facts.sheet;
  EXPECT_EQ(form[kTurboClock].text, "4.00 GHz");
  EXPECT_EQ(sheet.turboMhz, 4000);
  EXPECT_FALSE(sheet.noTurbo);
  EXPECT_EQ(sheet.cores, 6);
  EXPECT_TRUE(sheet.noCache);
  EXPECT_FALSE(sheet.cache);
  EXPECT_TRUE(sheet.noGraphics);
  EXPECT_EQ(sheet.pcie, (std::vector<std::string>{"4.0", "5.0"}));
  EXPECT_EQ(sheet.technologies, (std::vector<std::string>{"AVX2", "HT", "SSE4.2"}));
  // Set again, the fact follows the new text.
  setSheetField(form, kTurboClock, "-");
  EXPECT_EQ(sheet.turboMhz, 0);
  EXPECT_TRUE(sheet.noTurbo);
  EXPECT_EQ(form[kTurboClock].text, "-");
}

}  // namespace
}  // namespace wexmora
