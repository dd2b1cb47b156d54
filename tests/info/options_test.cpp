// wexmora-info's command line: every option, and the usage errors that end
// with exit code 2.
#include "app/info/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace wexmora::info {
namespace {

std::variant<Options, UsageError> parse(std::vector<const char*> args) {
  args.insert(args.begin(), "wexmora-info");
  return parseArguments(static_cast<int>(args.size()), args.data());
}

TEST(InfoOptions, AcceptsEachOption) {
  const auto options = std::get<Options>(
      parse({"--brand", "X  Y", "--identifier", "", "--stored-language", "", "--switch-language", "1", "--json"}));
  EXPECT_EQ(options.output, Output::Json);
  EXPECT_EQ(options.brand, "X  Y");
  EXPECT_EQ(options.identifier, "");
  EXPECT_EQ(options.storedLanguage, "");
  EXPECT_EQ(options.switchLanguage, 1);

  const struct {
    std::vector<const char*> args;
    Output output;
  } outputs[] = {
      {{}, Output::Text},
      {{"--dump-controls"}, Output::Controls},
      {{"--list"}, Output::List},
      {{"--help"}, Output::Help},
      {{"--key", "E3-1230 V2", "--json"}, Output::Json},
      {{"--json", "--json"}, Output::Json},
  };
  for (const auto& c : outputs) EXPECT_EQ(std::get<Options>(parse(c.args)).output, c.output);
  EXPECT_EQ(std::get<Options>(parse({"--key", "E3-1230 V2"})).key, "E3-1230 V2");
  EXPECT_EQ(std::get<Options>(parse({"--key", "E3-1230 V2"})).output, Output::Text);
  EXPECT_FALSE(std::get<Options>(parse({})).brand.has_value());

  const auto batch = std::get<Options>(parse({"--brands", "-", "--explain", "--json", "--stored-language", "1"}));
  EXPECT_EQ(batch.brandsFile, "-");
  EXPECT_TRUE(batch.explain);
  EXPECT_EQ(batch.output, Output::Json);
  EXPECT_FALSE(std::get<Options>(parse({"--json"})).explain);
  EXPECT_FALSE(std::get<Options>(parse({"--json"})).brandsFile.has_value());
}

TEST(InfoOptions, RejectsWhatItCannotUse) {
  const struct {
    std::vector<const char*> args;
    const char* message;
  } cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-j"}, "unknown option '-j'"},
      {{"--brand"}, "option --brand needs a value"},
      {{"--json", "--identifier"}, "option --identifier needs a value"},
      {{"--key"}, "option --key needs a value"},
      {{"--switch-language", "x"}, "option --switch-language needs a whole number, not 'x'"},
      {{"--switch-language", "1x"}, "option --switch-language needs a whole number, not '1x'"},
      {{"--switch-language", ""}, "option --switch-language needs a whole number, not ''"},
      {{"--json", "--list"}, "option --list cannot be combined with another output option"},
      {{"--brands"}, "option --brands needs a value"},
      {{"--brands", "-", "--brand", "X"}, "option --brands cannot be combined with --brand"},
      {{"--key", "G840", "--brands", "f"}, "option --brands cannot be combined with --key"},
      {{"--brands", "f", "--dump-controls"}, "option --brands prints text, --json or --csv only"},
      {{"--list", "--brands", "f"}, "option --brands prints text, --json or --csv only"},
      {{"--explain", "--list"}, "option --explain cannot be combined with --list"},
  };
  for (const auto& c : cases) {
    const auto result = parse(c.args);
    ASSERT_TRUE(std::holds_alternative<UsageError>(result)) << c.message;
    EXPECT_EQ(std::get<UsageError>(result).message, c.message);
  }
}

TEST(InfoOptions, HelpListsEveryOption) {
  for (const char* option : {"--brand", "--identifier", "--stored-language", "--switch-language", "--json",
                             "--dump-controls", "--key", "--list", "--help", "--explain", "--brands"})
    EXPECT_NE(usage().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace wexmora::info
