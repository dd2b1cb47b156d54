// wexmora-info end to end: whole outputs compared with golden files, so that
// a change in any field of the data sheet shows up in review. Run with
// WEXMORA_UPDATE_GOLDEN=1 to rewrite the golden files after a deliberate change.
#include "app/info/run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/fakes.h"

namespace wexmora::info {
namespace {

constexpr const char* kI5 = "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz";
constexpr const char* kI5Id = "Intel64 Family 6 Model 158 Stepping 10";
constexpr const char* kI5KF = "Intel(R) Core(TM) i5-10600KF CPU @ 4.10GHz";
constexpr const char* kG3900TE = "Intel(R) Celeron(R) CPU G3900TE @ 2.30GHz";
constexpr const char* kAmd = "AMD Ryzen 5 3600 6-Core Processor";
constexpr const char* kAmdId = "AMD64 Family 23 Model 113 Stepping 0";

std::string goldenPath(const std::string& name) { return std::string(WEXMORA_SOURCE_DIR) + "/tests/golden/" + name; }

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
// table: these cases' golden files are that program's outputs.
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

Options explained(Options options) {
  options.explain = true;
  return options;
}

// --brands over the golden input, which has a line of each kind --brands
// must keep apart: a CR-LF ending, leading blanks, an empty line, a tab, two
// carriage returns, a last line without a newline.
Options brands(Output output, std::string stored) {
  Options options;
  options.output = output;
  options.brandsFile = goldenPath("brands-input.txt");
  options.catalogueOnly = true;
  options.storedLanguage = std::move(stored);
  return options;
}

struct GoldenCase {
  const char* golden;
  Options options;
};

TEST(InfoRun, WholeOutputsMatchTheGoldenFiles) {
  Options key;
  key.output = Output::Json;
  key.key = "E3-1230 V2";
  key.storedLanguage = "1";
  key.catalogueOnly = true;
  const GoldenCase cases[] = {
      {"i5-8400-ru.txt", sheet(Output::Text, kI5, kI5Id, "")},
      {"i5-8400-en.json", sheet(Output::Json, kI5, kI5Id, "1")},
      {"i5-8400-switched-en.txt", sheet(Output::Text, kI5, kI5Id, "0", 1)},
      {"i5-8400-controls.json", sheet(Output::Controls, kI5, kI5Id, "")},
      {"amd-en.txt", sheet(Output::Text, kAmd, kAmdId, "1")},
      {"amd-ru.json", sheet(Output::Json, kAmd, kAmdId, "")},
      {"missing-key-en.json", sheet(Output::Json, "???", "???", "1")},
      {"invalid-language.txt", sheet(Output::Text, "Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz", kI5Id, "en")},
      {"out-of-range-language.txt", sheet(Output::Text, "Intel(R) Celeron(R) G6900", "", "2")},
      {"catalogue-miss-en.json", sheet(Output::Json, "Intel(R) Core(TM) i5-8401 CPU @ 2.80GHz", kI5Id, "1")},
      {"key-e3-1230-v2-en.json", key},
      {"i5-10600kf-explain-en.txt", explained(sheet(Output::Text, kI5KF, kI5Id, "1"))},
      {"amd-explain-ru.txt", explained(sheet(Output::Text, kAmd, kAmdId, ""))},
      {"g3900te-explain-ru.json", explained(sheet(Output::Json, kG3900TE, "", "0"))},
      {"brands-ru.tsv", brands(Output::Text, "")},
      {"brands-en.jsonl", brands(Output::Json, "1")},
  };
  const bool update = std::getenv("WEXMORA_UPDATE_GOLDEN") != nullptr;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    testing::FakeSettingsStore stored;
    const auto result = runWith(c.options, stored);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, "");
    if (update) std::ofstream(goldenPath(c.golden), std::ios::binary) << result.out;
    std::ifstream in(goldenPath(c.golden), std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << goldenPath(c.golden);
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(result.out, expected.str());
  }
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
