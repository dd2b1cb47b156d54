// Trimming: codes 0 to 32 by default, or the characters a caller lists.
#include "base/trim.h"

#include <gtest/gtest.h>

#include <string>

namespace wexmora::base {
namespace {

struct TrimCase {
  std::string text;
  std::string expected;
};

TEST(Trim, ControlCharactersAndBlanksAtBothEndsOnly) {
  const TrimCase cases[] = {
      {"  i5-8400 \t\r\n", "i5-8400"},
      {std::string("\0x\x1f", 3), "x"},
      {"E3-1230 V2 ", "E3-1230 V2"},
      {" \x01 ", ""},
      {"", ""},
      {"a  b", "a  b"},            // inner blanks stay
      {"\xB0x\xB0", "\xB0x\xB0"},  // bytes above 127 are not blanks
      {"\x21x\x7f", "\x21x\x7f"},  // "!" and DEL are no blanks either
  };
  for (const auto& c : cases) EXPECT_EQ(trim(c.text), c.expected) << '"' << c.text << '"';
}

struct ListedCase {
  std::string text;
  std::string characters;
  std::string expected;
};

TEST(Trim, OnlyTheListedCharacters) {
  const ListedCase cases[] = {
      {" \tmodel name\t ", " \t", "model name"},
      {"\r value \r", " \t", "\r value \r"},  // not listed: kept
      {"\r value \r", " \t\r", "value"},
      {" \t ", " \t", ""},
      {"x", "", "x"},
      {"--x--", "-", "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(trim(c.text, c.characters), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace wexmora::base
