// Decimal integers: a whole text, an optional sign, digits, nothing else.
#include "base/decimal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace wexmora::base {
namespace {

struct DecimalCase {
  std::string text;
  std::optional<long> value;
};

TEST(ParseDecimal, ReadsWholeTextsOnly) {
  const DecimalCase cases[] = {
      {"0", 0},
      {"1", 1},
      {"2026", 2026},
      {"+1", 1},
      {"-1", -1},
      {"01", 1},
      {"", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"++1", std::nullopt},
      {"+-1", -1},  // the plus is dropped, the minus read as the number's own
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1x", std::nullopt},
      {"2-07", std::nullopt},
      {"0x10", std::nullopt},
      {"English", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parseDecimal(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace wexmora::base
