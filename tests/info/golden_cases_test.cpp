// The command lines of tests/golden/cases.txt through the option parser and
// the run, compared with their golden files. The Windows script test runs
// the same lines through wexmora-info.exe, so both systems print the same
// bytes. WEXMORA_UPDATE_GOLDEN=1 rewrites the golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
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

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(GoldenCommandLines, EveryLinePrintsItsGoldenFile) {
  const auto cases = readCases();
  ASSERT_GE(cases.size(), 15u);
  const bool update = std::getenv("WEXMORA_UPDATE_GOLDEN") != nullptr;
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
    if (update) std::ofstream(goldenFolder() + c.golden, std::ios::binary) << out.str();
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

}  // namespace
}  // namespace wexmora::info
