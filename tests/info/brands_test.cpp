// wexmora-info --brands: one output line per input line, each the same
// identification that --brand gives for that line alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "app/info/run.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace wexmora::info {
namespace {

using nlohmann::json;

struct Result {
  int code;
  std::string out, err;
};

Result runOptions(const Options& options) {
  platform::FixedProcessorSource machine("AMD Ryzen 5 3600 6-Core Processor", "");
  testing::FakeSettingsStore stored;
  std::ostringstream out, err;
  const int code = run(options, machine, stored, out, err);
  return {code, out.str(), err.str()};
}

Options brandsOptions(const std::filesystem::path& file, Output output, const char* storedLanguage) {
  Options options;
  options.output = output;
  options.brandsFile = file.string();
  options.storedLanguage = storedLanguage;
  options.catalogueOnly = true;  // the catalogue alone; the sources besides it have their own test
  return options;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The brand strings the model-key, badge and pass tests are written with
// (every raw string literal of theirs), the fuzz corpus of the model-key
// chain where the tree has one, and a brand string as Intel writes it for
// every catalogue key.
std::vector<std::string> realBrandStrings() {
  const std::filesystem::path source = WEXMORA_SOURCE_DIR;
  std::set<std::string> seen;
  std::vector<std::string> brands;
  const auto add = [&](const std::string& brand) {
    if (brand.find('\n') != std::string::npos || (!brand.empty() && brand.back() == '\r')) return;
    if (seen.insert(brand).second) brands.push_back(brand);
  };
  const std::regex raw(R"re(R"\((.*?)\)")re");
  for (const char* test :
       {"tests/core/model_key_test.cpp", "tests/core/badge_rules_test.cpp", "tests/core/pass_test.cpp"}) {
    const std::string text = readAll(source / test);
    for (std::sregex_iterator it(text.begin(), text.end(), raw), end; it != end; ++it) add((*it)[1]);
  }
  const auto corpus = source / "tests/fuzz/corpus/model_key";
  if (std::filesystem::is_directory(corpus))
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) add(readAll(entry.path()));
  Options list;
  list.output = Output::List;
  for (const auto& key : lines(runOptions(list).out)) add("Intel(R) Core(TM) " + key + " CPU @ 3.00GHz");
  return brands;
}

class Brands : public testing::TempDir {};

TEST_F(Brands, EachLineGivesWhatBrandGivesForIt) {
  const auto brands = realBrandStrings();
  ASSERT_GT(brands.size(), 700u);
  const auto file = dir / "brands.txt";
  {
    std::ofstream out(file, std::ios::binary);
    for (const auto& brand : brands) out << brand << "\n";
  }
  const auto jsonLines = runOptions(brandsOptions(file, Output::Json, "1"));
  const auto textLines = runOptions(brandsOptions(file, Output::Text, "1"));
  ASSERT_EQ(jsonLines.code, 0);
  ASSERT_EQ(textLines.code, 0);
  const auto objects = lines(jsonLines.out);
  const auto rows = lines(textLines.out);
  ASSERT_EQ(objects.size(), brands.size());
  ASSERT_EQ(rows.size(), brands.size());
  for (std::size_t i = 0; i < brands.size(); ++i) {
    SCOPED_TRACE(brands[i]);
    Options one;
    one.output = Output::Json;
    one.brand = brands[i];
    one.storedLanguage = "1";
    one.catalogueOnly = true;
    const json alone = json::parse(runOptions(one).out);
    const json batch = json::parse(objects[i]);
    EXPECT_EQ(batch, alone);

    std::vector<std::string> columns;
    std::istringstream row(rows[i]);
    for (std::string column; std::getline(row, column, '\t');) columns.push_back(column);
    ASSERT_EQ(columns.size(), 5u) << rows[i];
    EXPECT_EQ(columns[1], alone["model_key"]);
    EXPECT_EQ(columns[2], alone["identified"] ? alone["model_key"].get<std::string>() : "-");
    EXPECT_EQ(columns[3], alone["badge"].is_null() ? "-" : std::to_string(alone["badge"].get<int>()));
    EXPECT_EQ(columns[4], alone["product_line"]);
  }
}

TEST_F(Brands, KeepsEveryByteButTheTrailingCarriageReturn) {
  const struct {
    const char* name;
    std::string input;
    std::vector<std::string> brands;  // the first column of each output line
  } cases[] = {
      {"empty file", "", {}},
      {"no final newline", "AMD A\nAMD B", {"AMD A", "AMD B"}},
      {"final newline adds no line", "AMD A\n", {"AMD A"}},
      {"one carriage return removed", "AMD A\r\nAMD B\r\r\n", {"AMD A", "AMD B\r"}},
      {"empty lines and blanks kept", "\n  AMD A  \n\n", {"", "  AMD A  ", ""}},
      {"tab and backslash escaped", "AMD\tA\\B\n", {"AMD\\tA\\\\B"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = dir / "in.txt";
    std::ofstream(file, std::ios::binary) << c.input;
    const auto result = runOptions(brandsOptions(file, Output::Text, "1"));
    EXPECT_EQ(result.code, 0);
    const auto rows = lines(result.out);
    ASSERT_EQ(rows.size(), c.brands.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].substr(0, rows[i].find('\t')), c.brands[i]);
      EXPECT_EQ(std::count(rows[i].begin(), rows[i].end(), '\t'), 4) << rows[i];
    }
  }
}

TEST_F(Brands, CombinesWithExplainAndStoredLanguage) {
  const auto file = dir / "in.txt";
  std::ofstream(file, std::ios::binary)
      << "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz\nAMD Ryzen 5 3600 6-Core Processor\n";
  auto options = brandsOptions(file, Output::Json, "0");
  options.explain = true;
  const auto objects = lines(runOptions(options).out);
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(json::parse(objects[0])["explain"]["model_key"]["key"], "i5-8400");
  EXPECT_EQ(json::parse(objects[0])["segment"], "Настольного");
  EXPECT_EQ(json::parse(objects[1])["explain"]["catalogue"], nullptr);

  options.output = Output::Text;
  options.storedLanguage = "1";
  const auto text = runOptions(options).out;
  EXPECT_EQ(text.find("Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz\ti5-8400\ti5-8400\t26\tIntel Core i5\nIdentification\n"),
            0u)
      << text;
  EXPECT_NE(text.find("\nAMD Ryzen 5 3600 6-Core Processor\t-\t-\t46\tUnknown\nIdentification\n"), std::string::npos)
      << text;
}

TEST_F(Brands, AFileThatCannotBeReadExitsWithTwo) {
  const struct {
    const char* name;
    std::filesystem::path path;
  } cases[] = {
      {"missing", dir / "no-such-file"},
      {"a folder", dir},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = runOptions(brandsOptions(c.path, Output::Text, "1"));
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.find("wexmora-info: cannot read '" + c.path.string() + "': "), 0u) << result.err;
  }
}

}  // namespace
}  // namespace wexmora::info
