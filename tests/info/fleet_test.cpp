// wexmora-info for fleets: the metrics of this machine in Prometheus's text
// format and their file, --csv, --version and --language, and --brands on
// inputs that are no clean text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>

#include "app/info/metrics.h"
#include "app/info/options.h"
#include "app/info/run.h"
#include "base/site.h"
#include "support/fakes.h"
#include "support/machine_facts_fakes.h"
#include "support/machine_state_fakes.h"
#include "support/temp_dir.h"

namespace wexmora::info {
namespace {

struct Result {
  int code;
  std::string out, err;
};

constexpr const char* kI5 = R"(Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz)";
constexpr const char* kI5Identifier = "Intel64 Family 6 Model 158 Stepping 10";

const platform::MachineFacts kAsSheet{.packages = 1,
                                      .cores = 6,
                                      .threads = 6,
                                      .l3Bytes = 9u << 20,
                                      .maxMhz = 4000,
                                      .technologies = {"AVX2", "TMT", "SK", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1",
                                                       "SSE4.2", "MMX", "EM64T", "AES", "VT-x"}};

Result runOn(const std::vector<const char*>& args, const platform::MachineFacts& facts = kAsSheet,
             const platform::MachineState& state = {}, const char* brand = kI5) {
  std::vector<const char*> argv = {"wexmora-info"};
  argv.insert(argv.end(), args.begin(), args.end());
  const auto parsed = parseArguments(static_cast<int>(argv.size()), argv.data());
  if (const auto* error = std::get_if<UsageError>(&parsed)) return {2, "", error->message};
  platform::FixedProcessorSource machine(brand, kI5Identifier);
  testing::FakeSettingsStore stored;
  const testing::FakeMachineFactsSource factsSource(facts);
  const testing::FakeMachineStateSource stateSource(state);
  std::ostringstream out, err;
  const int code = run(std::get<Options>(parsed), machine, stored, out, err, &factsSource, &stateSource);
  return {code, out.str(), err.str()};
}

// The format's rules as promtool checks them: every family has HELP and
// TYPE before its samples, names are legal, label values are quoted with
// their escapes, and every sample value is a number.
void expectExposition(const std::string& text) {
  const std::regex help(R"(# HELP ([a-zA-Z_:][a-zA-Z0-9_:]*) [^\n]+)");
  const std::regex type(R"(# TYPE ([a-zA-Z_:][a-zA-Z0-9_:]*) gauge)");
  const std::regex sample(
      R"(([a-zA-Z_:][a-zA-Z0-9_:]*)(\{[a-z_]+="([^"\\\n]|\\[\\"n])*"(,[a-z_]+="([^"\\\n]|\\[\\"n])*")*\})? (-?[0-9.]+(e[-+][0-9]+)?))");
  std::istringstream in(text);
  std::string line, family;
  std::set<std::string> seen;
  bool typed = false;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, help)) {
      family = m[1];
      typed = false;
      EXPECT_TRUE(seen.insert(family).second) << "twice: " << family;
    } else if (std::regex_match(line, m, type)) {
      EXPECT_EQ(m[1], family) << line;
      typed = true;
    } else {
      ASSERT_TRUE(std::regex_match(line, m, sample)) << line;
      EXPECT_EQ(m[1], family) << line;
      EXPECT_TRUE(typed) << line;
    }
  }
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
}

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string sampleOf(const std::string& metrics, const std::string& name) {
  std::istringstream in(metrics);
  for (std::string line; std::getline(in, line);)
    if (line.starts_with(name + " ") || line.starts_with(name + "{")) return line;
  return "";
}

TEST(InfoMetrics, LabelValuesAreEscaped) {
  const struct {
    std::string text, written;
  } cases[] = {
      {"plain", "plain"},
      {R"(a "quoted" name)", R"(a \"quoted\" name)"},
      {R"(back\slash)", R"(back\\slash)"},
      {"two\nlines", R"(two\nlines)"},
      {"tab\tstays", "tab\tstays"},
      {"\xff", "\xEF\xBF\xBD"},       // no UTF-8: U+FFFD
      {"\xc3", "\xEF\xBF\xBD"},       // cut short
      {"\xd0\x9f", "\xd0\x9f"},       // Cyrillic stays
      {"\xc3\x28", "\xEF\xBF\xBD("},  // the byte after a bad lead is read again
  };
  for (const auto& c : cases) EXPECT_EQ(prometheusLabelValue(c.text), c.written) << c.text;
}

// The sheet of this machine and what the check finds, one family per row.
TEST(InfoMetrics, ThisMachineAndWhatTheCheckFinds) {
  platform::MachineFacts fewer = kAsSheet;
  fewer.threads = 3;
  fewer.cores = 3;
  fewer.technologies = {"SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "MMX", "EM64T"};
  platform::MachineState vm;
  vm.hypervisor = {.present = true, .signature = "KVMKVMKVM"};
  vm.smt = platform::SmtControl::Off;

  const Result plain = runOn({"--prometheus"});
  ASSERT_EQ(plain.code, 0) << plain.err;
  expectExposition(plain.out);
  const Result found = runOn({"--prometheus"}, fewer, vm);
  ASSERT_EQ(found.code, 0) << found.err;
  expectExposition(found.out);

  const struct {
    const Result& run;
    const char* sample;
  } rows[] = {
      {plain,
       R"(wexmora_processor_info{brand="Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz",vendor="Intel",model_number="i5-8400",model_key="i5-8400",product_line="Intel Core i5",code_name="Coffee Lake",socket="LGA1151 V2",source="catalogue"} 1)"},
      {plain, "wexmora_processor_cores 6"},
      {plain, "wexmora_processor_threads 6"},
      {plain, "wexmora_processor_base_clock_hertz 2800000000"},
      {plain, "wexmora_processor_turbo_clock_hertz 4000000000"},
      {plain, "wexmora_processor_l3_cache_bytes 9437184"},
      {plain, "wexmora_processor_max_temperature_celsius 100"},
      {plain, "wexmora_processor_lithography_meters 1.4e-08"},
      {plain, "wexmora_machine_cores 6"},
      {plain, "wexmora_machine_threads 6"},
      {plain, R"(wexmora_machine_virtual{hypervisor=""} 0)"},
      {plain, "wexmora_machine_smt_off 0"},
      {plain, "wexmora_machine_technologies_missing 0"},
      {plain, ""},  // wexmora_check_finding: none
      {found, "wexmora_machine_cores 3"},
      {found, "wexmora_machine_threads 3"},
      {found, R"(wexmora_machine_virtual{hypervisor="KVM"} 1)"},
      {found, "wexmora_machine_technologies_missing 5"},  // AVX2, TMT, SK, AES, VT-x
      {found, R"(wexmora_machine_technology_missing{technology="AVX2",rule="vectors_hidden"} 1)"},
      {found, R"(wexmora_machine_technology_missing{technology="VT-x",rule="virtualisation_taken"} 1)"},
      {found, R"(wexmora_check_finding{fact="machine",rule="virtual_machine",note="false"} 1)"},
  };
  for (const auto& row : rows) {
    const std::string sample = row.sample;
    const std::string name = sample.empty() ? "wexmora_check_finding" : sample.substr(0, sample.find_first_of(" {"));
    if (sample.find('{') != std::string::npos && sample != rows[0].sample)
      EXPECT_NE(row.run.out.find("\n" + sample + "\n"), std::string::npos) << sample << "\n" << row.run.out;
    else
      EXPECT_EQ(sampleOf(row.run.out, name), sample) << row.run.out;
  }
  // The threads are fewer than the sheet's: the check names a reason, which the findings carry.
  EXPECT_NE(found.out.find(R"(wexmora_check_finding{fact="threads",)"), std::string::npos) << found.out;
}

TEST(InfoMetrics, SmtSwitchedOff) {
  platform::MachineFacts halved = kAsSheet;
  halved.threads = 3;
  platform::MachineState state;
  state.smt = platform::SmtControl::Off;
  const Result result = runOn({"--prometheus", "--brand", "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz"}, halved, state,
                              "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
  // Another brand string is no longer this machine: no check, no machine families.
  EXPECT_EQ(sampleOf(result.out, "wexmora_machine_smt_off"), "");
  platform::MachineFacts i7 = kAsSheet;
  i7.threads = 6;
  const Result own = runOn({"--prometheus"}, i7, state, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
  EXPECT_EQ(sampleOf(own.out, "wexmora_processor_threads"), "wexmora_processor_threads 12") << own.out;
  EXPECT_EQ(sampleOf(own.out, "wexmora_machine_smt_off"), "wexmora_machine_smt_off 1") << own.out;
}

// A sheet that gives nothing keeps its families with no samples, and the
// labels of a hostile brand string stay inside their quotes.
TEST(InfoMetrics, UnknownValuesAndHostileLabels) {
  const Result result = runOn({"--prometheus", "--brand", "Some \"odd\\\" CPU\n\xff"});
  ASSERT_EQ(result.code, 0);
  expectExposition(result.out);
  EXPECT_EQ(sampleOf(result.out, "wexmora_processor_cores"), "");
  EXPECT_NE(result.out.find("# TYPE wexmora_processor_cores gauge\n"), std::string::npos);
  EXPECT_NE(result.out.find(R"(brand="Some \"odd\\\" CPU\n)"
                            "\xEF\xBF\xBD"
                            R"(",)"),
            std::string::npos)
      << result.out;
}

class InfoMetricsFile : public testing::TempDir {};

TEST_F(InfoMetricsFile, ReplacedWholeAndOnlyOnSuccess) {
  const auto target = dir / "wexmora.prom";
  {
    std::ofstream old(target);
    old << "old\n";
  }
  const std::string path = target.string();
  const Result written = runOn({"--prometheus-file", path.c_str()});
  ASSERT_EQ(written.code, 0) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(readText(target), runOn({"--prometheus"}).out);
  EXPECT_EQ(entries(), 1u);  // no temporary file left beside it

  const std::string missing = (dir / "no-such-folder" / "wexmora.prom").string();
  const Result failed = runOn({"--prometheus-file", missing.c_str()});
  EXPECT_EQ(failed.code, 2);
  EXPECT_NE(failed.err.find("wexmora-info: cannot write '" + missing + "': "), std::string::npos) << failed.err;
  EXPECT_EQ(entries(), 1u);
}

TEST(InfoFleetOptions, ParsesAndRefuses) {
  const struct {
    std::vector<const char*> args;
    const char* error;  // nullptr: accepted
    Output output;
    const char* storedLanguage;
  } cases[] = {
      {{"--version"}, nullptr, Output::Version, nullptr},
      {{"--prometheus"}, nullptr, Output::Prometheus, nullptr},
      {{"--prometheus-file", "m.prom"}, nullptr, Output::Prometheus, nullptr},
      {{"--prometheus", "--prometheus-file", "m.prom"}, nullptr, Output::Prometheus, nullptr},
      {{"--brands", "-", "--csv"}, nullptr, Output::Csv, nullptr},
      {{"--language", "en"}, nullptr, Output::Text, "1"},
      {{"--language", "ru"}, nullptr, Output::Text, "0"},
      {{"--language", "ru", "--language", "en"}, nullptr, Output::Text, "1"},
      {{"--language", "en", "--stored-language", "1"}, nullptr, Output::Text, "1"},
      {{"--language", "de"}, "option --language takes en or ru, not 'de'", Output::Text, nullptr},
      {{"--language"}, "option --language needs a value", Output::Text, nullptr},
      {{"--language", "en", "--stored-language", "0"},
       "option --stored-language cannot be combined with --language",
       Output::Text,
       nullptr},
      {{"--stored-language", "", "--language", "ru"},
       "option --language cannot be combined with --stored-language",
       Output::Text,
       nullptr},
      {{"--csv"}, "option --csv needs --brands", Output::Text, nullptr},
      {{"--csv", "--json", "--brands", "-"},
       "option --json cannot be combined with another output option",
       Output::Text,
       nullptr},
      {{"--prometheus-file", ""}, "option --prometheus-file needs a file name", Output::Text, nullptr},
      {{"--prometheus-file"}, "option --prometheus-file needs a value", Output::Text, nullptr},
      {{"--prometheus", "--explain"}, "option --explain cannot be combined with --prometheus", Output::Text, nullptr},
      {{"--brands", "-", "--explain", "--csv"},
       "option --explain cannot be combined with --csv",
       Output::Text,
       nullptr},
      {{"--prometheus", "--json"},
       "option --json cannot be combined with another output option",
       Output::Text,
       nullptr},
      {{"--brands", "-", "--prometheus"}, "option --brands prints text, --json or --csv only", Output::Text, nullptr},
      {{"--version", "--help"}, "option --help cannot be combined with another output option", Output::Text, nullptr},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"wexmora-info"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const auto parsed = parseArguments(static_cast<int>(argv.size()), argv.data());
    SCOPED_TRACE(c.args.front());
    if (c.error) {
      ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
      EXPECT_EQ(std::get<UsageError>(parsed).message, c.error);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<UsageError>(parsed).message;
    EXPECT_EQ(std::get<Options>(parsed).output, c.output);
    EXPECT_EQ(std::get<Options>(parsed).storedLanguage,
              c.storedLanguage ? std::optional<std::string>(c.storedLanguage) : std::nullopt);
  }
  for (const char* option : {"--version", "--language", "--csv", "--prometheus", "--prometheus-file"})
    EXPECT_NE(usage().find(option), std::string::npos) << option;
}

TEST(InfoFleetOptions, VersionIsTheProjects) {
  const Result result = runOn({"--version"});
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.out, "wexmora-info (Wexmora) " + std::string(site::kVersion) + "\n");
  std::ifstream cmake(std::string(WEXMORA_SOURCE_DIR) + "/CMakeLists.txt");
  std::stringstream text;
  text << cmake.rdbuf();
  std::smatch m;
  const std::string lists = text.str();
  ASSERT_TRUE(std::regex_search(lists, m, std::regex(R"(project\(Wexmora VERSION ([0-9.]+))")));
  EXPECT_EQ(site::kVersion, m[1].str());
}

// --brands on input that is no clean text: one line out for every line in,
// in every output form, and a line seen before answers as it did the first
// time.
class InfoBrandsInput : public testing::TempDir {};

TEST_F(InfoBrandsInput, OneAnswerForEveryLine) {
  const std::string longLine = "Intel(R) Core(TM) i5-8400 " + std::string(1 << 20, 'x');
  const std::string lines[] = {
      kI5,
      "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz\xff\xfe",    // no UTF-8
      std::string("Intel(R) Core(TM)\0 i7-4770K CPU", 31),  // NUL inside
      "Intel(R) Core(TM) i5\r-8400 CPU @ 2.80GHz",          // lone CR inside
      "\r",                                                 // a CR alone: an empty line
      std::string(1, '\0'),
      longLine,
      std::string(1 << 20, '\xff'),
      "Say \"hello\", world",
      kI5,  // again: the same answer
  };
  std::string input;
  for (const auto& line : lines) input += line + "\n";
  const auto file = dir / "brands.txt";
  std::ofstream(file, std::ios::binary) << input;
  const std::string path = file.string();

  for (const char* form : {"--stored-language", "--json", "--csv"}) {
    SCOPED_TRACE(form);
    std::vector<const char*> args = {"--brands", path.c_str(), "--language", "en"};
    if (std::string_view(form) != "--stored-language") args.push_back(form);
    const Result result = runOn(args);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::size_t header = std::string_view(form) == "--csv" ? 1 : 0;
    std::vector<std::string> out;
    std::istringstream in(result.out);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    ASSERT_EQ(out.size(), std::size(lines) + header);
    EXPECT_EQ(out[header], out.back());
    if (std::string_view(form) == "--json")
      for (const auto& line : out) EXPECT_NO_THROW(nlohmann::json::parse(line)) << line.substr(0, 80);
  }
}

TEST_F(InfoBrandsInput, UnreadableFilesEndWithExitCode2) {
  const std::string missing = (dir / "missing.txt").string();
  const std::string folder = dir.string();
  for (const std::string& name : {missing, folder}) {
    const Result result = runOn({"--brands", name.c_str()});
    EXPECT_EQ(result.code, 2) << name;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("wexmora-info: cannot read '" + name + "': "), std::string::npos) << result.err;
  }
}

// The CSV form writes the text form's columns: each record, read back by the
// rules of RFC 4180, gives the fields the tab form writes with its escapes.
TEST_F(InfoBrandsInput, CsvRecordsHoldTheTextColumns) {
  const auto file = dir / "brands.txt";
  std::ofstream(file, std::ios::binary) << kI5 << "\nSay \"hi\", x\\y\t\nA,B\r\nAMD Ryzen 5 3600 6-Core Processor\n";
  const std::string path = file.string();
  const Result csv = runOn({"--brands", path.c_str(), "--csv", "--catalogue-only"});
  EXPECT_EQ(
      csv.out,
      "brand,model_key,catalogue_key,badge,product_line\r\n"
      "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz,i5-8400,i5-8400,26,Intel Core i5\r\n"
      "\"Say \"\"hi\"\", x\\y\t\",-,-,46,\xd0\x9d\xd0\xb5\xd0\xb8\xd0\xb7\xd0\xb2\xd0\xb5\xd1\x81\xd1\x82\xd0\xbd\xd0"
      "\xbe\r\n"
      "\"A,B\",-,-,46,\xd0\x9d\xd0\xb5\xd0\xb8\xd0\xb7\xd0\xb2\xd0\xb5\xd1\x81\xd1\x82\xd0\xbd\xd0\xbe\r\n"
      "AMD Ryzen 5 3600 6-Core Processor,-,-,46,\xd0\x9d\xd0\xb5\xd0\xb8\xd0\xb7\xd0\xb2\xd0\xb5\xd1\x81\xd1\x82"
      "\xd0\xbd\xd0\xbe\r\n");
}

}  // namespace
}  // namespace wexmora::info
