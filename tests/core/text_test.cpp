// The text primitives every rule table is written in: positions from 1, and
// the clipping rules that make every copy safe.
#include "core/identify/text.h"

#include <gtest/gtest.h>

namespace wexmora::text {
namespace {

TEST(Search, FindsFirstExactOccurrenceFromOne) {
  const struct {
    const char *pattern, *text;
    long expected;
  } cases[] = {
      {"GHz", "@ 2.80GHz", 7},
      {"a", "abca", 1},
      {"ca", "abca", 3},
      {"i5", "I5-8400", 0},
      {"", "anything", 0},
      {"x", "", 0},
      {"E3-12", "E3-1230 E3-12", 1},
      {"long pattern", "long", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(search(c.pattern, c.text), c.expected) << c.pattern << " in " << c.text;
}

TEST(Copy, ClipsStartAndCountLikeTheRulesExpect) {
  const struct {
    const char* text;
    long start, count;
    const char* expected;
  } cases[] = {
      {"abcdef", 2, 3, "bcd"}, {"abcdef", 0, 2, "ab"}, {"abcdef", -5, 3, "abc"},
      {"abcdef", 6, 5, "f"},   {"abcdef", 7, 1, ""},   {"abcdef", 1, -1, ""},
      {"abcdef", 1, 0, ""},    {"", 1, 3, ""},         {"GHz12345678", -3, 4, "GHz1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(copy(c.text, c.start, c.count), c.expected) << c.text << " " << c.start << " " << c.count;
}

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEndsOnly) {
  EXPECT_EQ(trim("  i5-8400 \t\r\n"), "i5-8400");
  EXPECT_EQ(trim(std::string("\0x\x1f", 3)), "x");
  EXPECT_EQ(trim("E3-1230 V2 "), "E3-1230 V2");
  EXPECT_EQ(trim(" \x01 "), "");
  EXPECT_EQ(trim("\xB0x\xB0"), "\xB0x\xB0");  // bytes above 127 are not blanks
}

TEST(Remove, DeletesWithinTheTextOnly) {
  const struct {
    const char* text;
    long start, count;
    const char* expected;
  } cases[] = {
      {"SHA|@3.30 GH", 4, 9, "SHA"}, {"abc", 3, 5, "ab"},  {"abc", 4, 1, "abc"},
      {"abc", 0, 1, "abc"},          {"abc", 1, 0, "abc"}, {"abc", 2, -1, "abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(remove(c.text, c.start, c.count), c.expected);
}

TEST(Upper, ChangesAsciiLettersOnly) { EXPECT_EQ(upper("e3-1231 v3 @\xB0"), "E3-1231 V3 @\xB0"); }

}  // namespace
}  // namespace wexmora::text
