// wexmora-info end to end: the fields of the JSON output, the options that
// replace the machine's texts, the settings left alone, --list and --key.
// Whole outputs against golden files are the command lines of
// tests/golden/cases.txt (golden_cases_test.cpp).
#include "app/info/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/fakes.h"

namespace wexmora::info {
namespace {

constexpr const char* kI5 = "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz";
constexpr const char* kI5Id = "Intel64 Family 6 Model 158 Stepping 10";
constexpr const char* kAmd = "AMD Ryzen 5 3600 6-Core Processor";
constexpr const char* kAmdId = "AMD64 Family 23 Model 113 Stepping 0";

struct Result {
  int code;
  std::string out, err;
};

// Runs with this "machine" and these stored settings.
Result runWith(Options options, testing::FakeSettingsStore& stored, const std::string& machineBrand = kAmd,
               const std::string& machineId = kAmdId) {
  platform::FixedProcessorSource machine(machineBrand, machineId);
  std::ostringstream out, err;
  const int code = run(options, machine, stored, out, err);
  return {code, out.str(), err.str()};
}

// The catalogue alone, as the program answered before it had the extended
// table.
Options sheet(Output output, std::optional<std::string> brand, std::optional<std::string> identifier,
              std::optional<std::string> stored, std::optional<int> switchTo = std::nullopt) {
  Options o;
  o.catalogueOnly = true;
  o.output = output;
  o.brand = std::move(brand);
  o.identifier = std::move(identifier);
  o.storedLanguage = std::move(stored);
  o.switchLanguage = switchTo;
  return o;
}

TEST(InfoRun, JsonRoundTripsRussianAndTheDegreeSign) {
  testing::FakeSettingsStore stored;
  const auto ru = nlohmann::json::parse(runWith(sheet(Output::Json, kI5, kI5Id, "0"), stored).out);
  EXPECT_EQ(ru["segment"], "Настольного");
  EXPECT_EQ(ru["max_temperature"], "100°C");
  EXPECT_EQ(ru["badge"], 26);
  EXPECT_EQ(ru["qr"], 357);
  EXPECT_EQ(ru["identified"], true);
  EXPECT_EQ(ru["technologies"].front(), "AVX2");
  EXPECT_EQ(ru["links"]["detailed"], "https://wexmora.example/cpu/detailed-i5-8400.html");

  const auto controls = nlohmann::json::parse(runWith(sheet(Output::Controls, kAmd, kAmdId, "1"), stored).out);
  EXPECT_EQ(controls["error"], nullptr);
  EXPECT_EQ(controls["controls"]["Edit7"]["text"], "-");
  EXPECT_EQ(controls["controls"]["ComboBox1"]["index"], 1);
  EXPECT_EQ(controls["controls"]["ComboBox1"]["text"], "English");
  EXPECT_EQ(controls["controls"]["Image1"]["picture"]["list"], "badges");
  EXPECT_EQ(controls["controls"]["Image1"]["picture"]["index"], 46);
  EXPECT_EQ(controls["controls"]["Image2"]["hint"], "Unknown CPU");
  EXPECT_EQ(controls["controls"]["Edit9"]["hint"], "Number (threads) of \rlogical cores \rin the processor");
}

TEST(InfoRun, BrandAndIdentifierOptionsReplaceTheMachinesTexts) {
  testing::FakeSettingsStore stored;
  const struct {
    std::optional<std::string> brand, identifier;
    const char *expectedBrand, *expectedFamily;
  } cases[] = {
      {std::nullopt, std::nullopt, kAmd, "23"},
      {kI5, std::nullopt, kI5, ""},
      {std::nullopt, "Intel64 Family 6 Model 1 Stepping 2", kAmd, "6"},
      {kI5, kI5Id, kI5, "6"},
  };
  for (const auto& c : cases) {
    const auto json =
        nlohmann::json::parse(runWith(sheet(Output::Json, c.brand, c.identifier, std::nullopt), stored).out);
    EXPECT_EQ(json["brand"], c.expectedBrand);
    EXPECT_EQ(json["family"], c.expectedFamily);
  }
}

TEST(InfoRun, NeverWritesTheSettings) {
  testing::FakeSettingsStore stored;
  stored.failWrites = true;  // any write would throw and show up as an error
  const auto result = runWith(sheet(Output::Text, kI5, kI5Id, std::nullopt, 1), stored);
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(stored.values.empty());
}

TEST(InfoRun, ListsKeysAndRejectsUnknownKeys) {
  testing::FakeSettingsStore stored;
  Options list;
  list.output = Output::List;
  const auto listed = runWith(list, stored);
  EXPECT_EQ(listed.code, 0);
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 578);
  EXPECT_EQ(listed.out.substr(0, 12), "E5405\nE5410\n");
  EXPECT_NE(listed.out.find("\nE3-1230 V2\n"), std::string::npos);
  EXPECT_EQ(listed.out.substr(listed.out.size() - 11), "i9-14900KF\n");

  Options key;
  key.key = "e3-1230 v2";  // keys compare exactly
  key.catalogueOnly = true;
  const auto unknown = runWith(key, stored);
  EXPECT_EQ(unknown.code, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "wexmora-info: no catalogue entry has the key 'e3-1230 v2'\n");
}

}  // namespace
}  // namespace wexmora::info
