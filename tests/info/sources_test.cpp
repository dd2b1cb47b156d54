// wexmora-info with the sources besides the catalogue: the machine's own
// facts for this machine only, the source in JSON and in --brands, lines that
// carry their identifier, --key for a row of the extended table, and
// --catalogue-only, which turns all of it off.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/info/run.h"
#include "support/fakes.h"
#include "support/machine_facts_fakes.h"
#include "support/machine_state_fakes.h"
#include "support/temp_dir.h"

namespace wexmora::info {
namespace {

using nlohmann::json;

constexpr const char* kUnknownBrand = "QEMU Virtual CPU version 2.5+";
constexpr const char* kUnknownId = "AMD64 Family 23 Model 1 Stepping 2";

const platform::MachineFacts kFacts{.packages = 1,
                                    .cores = 8,
                                    .threads = 16,
                                    .l2Bytes = 4u << 20,
                                    .l3Bytes = 32u << 20,
                                    .maxMhz = 4650,
                                    .technologies = {"MMX", "SSE", "SSE2", "SSE4.2", "AVX2", "AES", "AMD-V"}};

struct Result {
  int code;
  std::string out, err;
};

Result runOn(const Options& options, const std::string& brand, const std::string& identifier,
             const testing::FakeMachineFactsSource& facts) {
  platform::FixedProcessorSource machine(brand, identifier);
  testing::FakeSettingsStore stored;
  std::ostringstream out, err;
  const int code = run(options, machine, stored, out, err, &facts);
  return {code, out.str(), err.str()};
}

Options jsonOptions(std::string stored = "1") {
  Options options;
  options.output = Output::Json;
  options.storedLanguage = std::move(stored);
  return options;
}

std::string goldenPath(const std::string& name) { return std::string(WEXMORA_SOURCE_DIR) + "/tests/golden/" + name; }

void expectGolden(const std::string& name, const std::string& out) {
  if (std::getenv("WEXMORA_UPDATE_GOLDEN")) std::ofstream(goldenPath(name), std::ios::binary) << out;
  std::ifstream in(goldenPath(name), std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << goldenPath(name);
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(out, expected.str()) << name;
}

// A processor that no table knows, on this machine: the sheet of its own facts.
TEST(InfoSources, AProcessorOnlyTheMachinesFactsDescribe) {
  const testing::FakeMachineFactsSource facts(kFacts);
  const Result asJson = runOn(jsonOptions(), kUnknownBrand, kUnknownId, facts);
  EXPECT_EQ(asJson.code, 0);
  EXPECT_EQ(asJson.err, "");
  expectGolden("machine-facts-en.json", asJson.out);
  Options text;
  text.storedLanguage = "";
  text.explain = true;
  expectGolden("machine-facts-explain-ru.txt", runOn(text, kUnknownBrand, kUnknownId, facts).out);

  const json sheet = json::parse(asJson.out);
  EXPECT_EQ(sheet["source"], "machine");
  EXPECT_EQ(sheet["identified"], true);
  EXPECT_EQ(sheet["cores"], "8");
  EXPECT_EQ(sheet["l3_cache"], "32 Mb");
  EXPECT_EQ(sheet["machine"]["l2_cache"]["bytes"], 4u << 20);
  EXPECT_EQ(sheet["technologies"].back(), "AMD-V");
}

// A cloud machine: 2 vCPUs of an EPYC of family 25, model 17, whose brand
// string names no model. The machine's facts give the counts, the
// family/model table the die.
TEST(InfoSources, ACloudEpycKnownByItsFamilyAndModel) {
  const testing::FakeMachineFactsSource facts(
      {.packages = 1,
       .cores = 1,
       .threads = 2,
       .l2Bytes = 1u << 20,
       .l3Bytes = 32u << 20,
       .maxMhz = 0,
       .technologies = {"MMX", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "SSE4A", "AVX", "AVX2", "AVX-512",
                        "FMA3", "AES", "SHA", "AMD64", "SMT"}});
  const Result asJson = runOn(jsonOptions(), "AMD EPYC", "AMD64 Family 25 Model 17 Stepping 1", facts);
  EXPECT_EQ(asJson.code, 0);
  expectGolden("epyc-family-25-model-17-machine-en.json", asJson.out);
  const json sheet = json::parse(asJson.out);
  EXPECT_EQ(sheet["source"], "machine");
  EXPECT_EQ(sheet["code_name"], "Genoa");
  EXPECT_EQ(sheet["lithography"], "5 nm");
  EXPECT_EQ(sheet["product_line"], "AMD EPYC");
  EXPECT_EQ(sheet["threads"], "2");
}

// The machine's facts describe the machine: never a brand string given on the
// command line or a key, never with --catalogue-only (which reads none).
TEST(InfoSources, TheMachinesFactsServeItsOwnProcessorOnly) {
  const struct {
    const char* name;
    std::optional<std::string> brand;
    std::optional<std::string> key;
    bool catalogueOnly;
    const char* source;  // nullptr: null
    bool machineObject;
  } cases[] = {
      {"this machine", std::nullopt, std::nullopt, false, "machine", true},
      {"--brand", kUnknownBrand, std::nullopt, false, nullptr, false},
      {"--key", std::nullopt, "i5-8250U", false, "extended", false},
      {"--catalogue-only", std::nullopt, std::nullopt, true, nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const testing::FakeMachineFactsSource facts(kFacts);
    Options options = jsonOptions();
    options.brand = c.brand;
    options.key = c.key;
    options.catalogueOnly = c.catalogueOnly;
    const Result result = runOn(options, kUnknownBrand, kUnknownId, facts);
    ASSERT_EQ(result.code, 0) << result.err;
    const json sheet = json::parse(result.out);
    EXPECT_EQ(sheet.contains("machine"), c.machineObject);
    if (c.machineObject) {
      EXPECT_EQ(facts.reads, 1) << "the pass and \"machine\" share one reading";
    }
    if (c.catalogueOnly) {
      EXPECT_FALSE(sheet.contains("source"));
      EXPECT_EQ(facts.reads, 0);
    } else {
      EXPECT_EQ(sheet["source"], c.source ? json(c.source) : json(nullptr));
    }
    EXPECT_EQ(sheet["identified"], c.source != nullptr);
  }
}

// The check against the machine: this machine's processor only, as text
// lines, as the JSON "check" list and with --explain's evidence; one "runs
// as specified" line where everything agrees.
TEST(InfoSources, TheSheetHeldAgainstTheMachine) {
  const char* brand = R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)";
  const char* identifier = "Intel64 Family 6 Model 158 Stepping 10";
  const platform::MachineFacts asSheet{.packages = 1,
                                       .cores = 6,
                                       .threads = 6,
                                       .l2Bytes = std::nullopt,
                                       .l3Bytes = 9u << 20,
                                       .maxMhz = 4000,
                                       .technologies = {"AVX2", "TMT", "SK", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1",
                                                        "SSE4.2", "MMX", "EM64T", "AES", "VT-x"}};
  platform::MachineFacts fewer = asSheet;
  fewer.cores = fewer.threads = 4;
  platform::MachineState offline;
  offline.online = platform::CpuListFact{"0-3", 4};
  offline.present = platform::CpuListFact{"0-5", 6};
  const auto runWith = [&](const Options& options, const platform::MachineFacts& facts,
                           const platform::MachineState& state) {
    platform::FixedProcessorSource machine(brand, identifier);
    testing::FakeSettingsStore stored;
    const testing::FakeMachineFactsSource factsSource(facts);
    const testing::FakeMachineStateSource stateSource(state);
    std::ostringstream out, err;
    EXPECT_EQ(run(options, machine, stored, out, err, &factsSource, &stateSource), 0) << err.str();
    return out.str();
  };

  Options text;
  text.storedLanguage = "1";
  EXPECT_NE(runWith(text, asSheet, {}).find("\nCheck against this machine: the processor runs as its sheet says\n"),
            std::string::npos);
  const std::string lines = runWith(text, fewer, offline);
  EXPECT_NE(
      lines.find("Check against this machine:\n  Cores: 4 instead of the sheet's 6 - some processors are switched "
                 "off (online 0-3, present 0-5)\n  Threads: 4 instead of the sheet's 6 - "),
      std::string::npos)
      << lines;
  // The findings follow the sheet, and the technologies line is the sheet's list alone.
  EXPECT_NE(lines.find("\nTechnologies, interfaces, functions in the processor: AVX2, InTru 3D"), std::string::npos);
  EXPECT_EQ(lines.find("Cores: 4 instead"), lines.rfind("Cores: 4 instead")) << lines;

  Options explain = jsonOptions();
  explain.explain = true;
  const json sheet = json::parse(runWith(explain, fewer, offline));
  ASSERT_EQ(sheet["check"].size(), 2u) << sheet["check"].dump();
  const json expected = {{"fact", "cores"},
                         {"rule", "cores_offline"},
                         {"note", false},
                         {"sheet", "6"},
                         {"machine", "4"},
                         {"finding", "4 instead of the sheet's 6"},
                         {"reason", "some processors are switched off (online 0-3, present 0-5)"}};
  EXPECT_EQ(sheet["check"][0], expected);
  EXPECT_EQ(sheet["explain"]["check"][0]["evidence"], "/sys/devices/system/cpu: online 0-3, present 0-5");

  for (const bool catalogueOnly : {false, true}) {
    Options other = jsonOptions();
    other.catalogueOnly = catalogueOnly;
    if (!catalogueOnly) other.brand = brand;
    EXPECT_FALSE(json::parse(runWith(other, fewer, offline)).contains("check")) << catalogueOnly;
  }
}

// --key takes a model number of the extended table; an unknown key names
// both tables, or the catalogue alone with --catalogue-only.
TEST(InfoSources, KeysOfTheExtendedTable) {
  const testing::FakeMachineFactsSource facts(kFacts);
  Options key = jsonOptions();
  key.key = "i5-8250U";
  const Result found = runOn(key, "", "", facts);
  EXPECT_EQ(found.code, 0);
  const json sheet = json::parse(found.out);
  EXPECT_EQ(sheet["model_key"], "i5-8250U");
  EXPECT_EQ(sheet["cores"], "4");
  EXPECT_EQ(sheet["qr"], nullptr);

  key.catalogueOnly = true;
  const Result alone = runOn(key, "", "", facts);
  EXPECT_EQ(alone.code, 1);
  EXPECT_EQ(alone.err, "wexmora-info: no catalogue entry has the key 'i5-8250U'\n");

  key.catalogueOnly = false;
  key.key = "i5-8250X";
  const Result unknown = runOn(key, "", "", facts);
  EXPECT_EQ(unknown.code, 1);
  EXPECT_EQ(unknown.err, "wexmora-info: no catalogue entry and no extended-table row has the key 'i5-8250X'\n");
}

// --brands: "brand<TAB>identifier" lines and the source as the last column;
// with --catalogue-only a tab stays part of the brand string and the columns
// are the five of before.
class InfoSourcesBrands : public testing::TempDir {};

TEST_F(InfoSourcesBrands, LinesCarryTheirIdentifierAndShowTheSource) {
  const auto file = dir / "brands.txt";
  std::ofstream(file, std::ios::binary) << "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz\n"
                                        << "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\tIntel64 Family 6 Model 142 "
                                           "Stepping 10\r\n"
                                        << "AMD Ryzen 5 3600 6-Core Processor\tAMD64 Family 23 Model 113 Stepping 0\n"
                                        << kUnknownBrand << "\n";
  const testing::FakeMachineFactsSource facts(kFacts);
  Options options;
  options.brandsFile = file.string();
  options.storedLanguage = "1";
  const Result text = runOn(options, "", "", facts);
  EXPECT_EQ(text.code, 0);
  expectGolden("brands-sources-en.tsv", text.out);
  EXPECT_EQ(facts.reads, 0) << "no line is this machine's";

  options.output = Output::Json;
  std::istringstream lines(runOn(options, "", "", facts).out);
  const char* sources[] = {"catalogue", "extended", "extended", nullptr};
  const char* families[] = {"", "6", "23", ""};
  std::string line;
  for (int i = 0; std::getline(lines, line); ++i) {
    ASSERT_LT(i, 4);
    const json sheet = json::parse(line);
    EXPECT_EQ(sheet["source"], sources[i] ? json(sources[i]) : json(nullptr)) << i;
    EXPECT_EQ(sheet["family"], families[i]) << i;
  }

  options.output = Output::Text;
  options.catalogueOnly = true;
  std::istringstream alone(runOn(options, "", "", facts).out);
  std::getline(alone, line);
  std::getline(alone, line);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
  EXPECT_NE(line.find("\\tIntel64 Family 6"), std::string::npos) << "the tab stays in the brand string: " << line;
}

}  // namespace
}  // namespace wexmora::info
