// The command lines of tests/golden/cases.txt through the option parser and
// the run, compared with their golden files: whole outputs, so that a change
// in any field of the data sheet shows up in review. The Windows script test
// runs the same lines through wexmora-info.exe, so both systems print the
// same bytes. WEXMORA_UPDATE_GOLDEN=1 rewrites the golden files (each from
// the first line that names it; a second line is still compared).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "app/info/options.h"
#include "app/info/run.h"

namespace wexmora::info {
namespace {

std::string goldenFolder() { return std::string(WEXMORA_SOURCE_DIR) + "/tests/golden/"; }

struct CommandLine {
  std::string golden;
  std::vector<std::string> arguments;
};

// Fields ended by "|"; "#" starts a comment line.
std::vector<CommandLine> readCases() {
  std::ifstream in(goldenFolder() + "cases.txt", std::ios::binary);
  std::vector<CommandLine> cases;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t start = 0, bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
      fields.push_back(line.substr(start, bar - start));
    if (fields.empty()) continue;
    cases.push_back({fields.front(), {fields.begin() + 1, fields.end()}});
  }
  return cases;
}

// File arguments (--brands FILE) are relative to the golden folder, as they
// are for the Windows script, which runs there.
class InGoldenFolder {
 public:
  InGoldenFolder() : before_(std::filesystem::current_path()) { std::filesystem::current_path(goldenFolder()); }
  ~InGoldenFolder() { std::filesystem::current_path(before_); }
  InGoldenFolder(const InGoldenFolder&) = delete;
  InGoldenFolder& operator=(const InGoldenFolder&) = delete;

 private:
  std::filesystem::path before_;
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(GoldenCommandLines, EveryLinePrintsItsGoldenFile) {
  const auto cases = readCases();
  ASSERT_GE(cases.size(), 32u);
  const bool update = std::getenv("WEXMORA_UPDATE_GOLDEN") != nullptr;
  const InGoldenFolder here;
  std::set<std::string> written;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    std::vector<const char*> argv{"wexmora-info"};
    for (const auto& argument : c.arguments) argv.push_back(argument.c_str());
    const auto parsed = parseArguments(static_cast<int>(argv.size()), argv.data());
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    // This "machine" must never show: every line names its processor or key.
    platform::FixedProcessorSource machine("Machine CPU that must not appear", "Nothing 1 Model 2 Stepping 3");
    platform::MemorySettingsStore stored;
    std::ostringstream out, err;
    EXPECT_EQ(run(std::get<Options>(parsed), machine, stored, out, err), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str().find("must not appear"), std::string::npos);
    if (update && written.insert(c.golden).second)
      std::ofstream(goldenFolder() + c.golden, std::ios::binary) << out.str();
    EXPECT_EQ(out.str(), readFile(goldenFolder() + c.golden));
  }
}

TEST(GoldenCommandLines, EmptyFieldsStayEmptyArguments) {
  const auto cases = readCases();
  const auto first =
      std::find_if(cases.begin(), cases.end(), [](const auto& c) { return c.golden == "i5-8400-ru.txt"; });
  ASSERT_NE(first, cases.end());
  ASSERT_EQ(first->arguments.size(), 6u);
  EXPECT_EQ(first->arguments[5], "");
}

// Every file of the golden folder is printed by a line of cases.txt, read by
// one as its input, or written by the tests of the machine's own facts; no
// line is there twice. A golden file that nothing prints would go stale
// unnoticed.
TEST(GoldenCommandLines, EveryGoldenFileHasItsCase) {
  const std::set<std::string> ownFactsGoldens = {"machine-facts-en.json", "machine-facts-explain-ru.txt",
                                                 "brands-sources-en.tsv", "epyc-family-25-model-17-machine-en.json"};
  const auto cases = readCases();
  std::set<std::string> named, lines;
  for (const auto& c : cases) {
    named.insert(c.golden);
    for (const auto& argument : c.arguments)
      if (!argument.empty() && std::filesystem::is_regular_file(goldenFolder() + argument)) named.insert(argument);
    std::string line = c.golden;
    for (const auto& argument : c.arguments) line += "|" + argument;
    EXPECT_TRUE(lines.insert(line).second) << "listed twice: " << line;
  }
  EXPECT_TRUE(named.contains("brands-input.txt"));
  for (const auto& entry : std::filesystem::directory_iterator(goldenFolder())) {
    const auto name = entry.path().filename().string();
    if (name == "cases.txt") continue;
    EXPECT_TRUE(named.contains(name) != ownFactsGoldens.contains(name))
        << name
        << (named.contains(name) ? " is written by the machine-facts tests and named in cases.txt"
                                 : " is neither named in cases.txt nor written by the machine-facts tests");
  }
  for (const auto& name : ownFactsGoldens)
    EXPECT_TRUE(std::filesystem::is_regular_file(goldenFolder() + name)) << "missing golden file " << name;
}

}  // namespace
}  // namespace wexmora::info
