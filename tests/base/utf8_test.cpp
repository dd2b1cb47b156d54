// UTF-8: decoding with malformed sequences reported, checking, encoding and
// counting characters.
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace wexmora::base {
namespace {

struct DecodeCase {
  const char* name;
  std::string text;
  std::optional<char32_t> cp;
  std::size_t next;  // where pos stands afterwards
};

TEST(DecodeUtf8, OneSequenceAtTheStart) {
  const DecodeCase cases[] = {
      {"ASCII", "A!", U'A', 1},
      {"two bytes",
       "\xC2\xB0"
       "C",
       U'\u00B0', 2},
      {"Cyrillic", "\xD0\x9D", U'\u041D', 2},
      {"three bytes", "\xE2\x84\x96", U'\u2116', 3},
      {"four bytes", "\xF0\x9F\x98\x80", U'\U0001F600', 4},
      {"replacement character itself", "\xEF\xBF\xBD", U'\uFFFD', 3},
      {"stray continuation byte", "\x80x", std::nullopt, 1},
      {"lead byte without continuation", "\xD0x", std::nullopt, 1},
      {"truncated at the end", "\xE2\x84", std::nullopt, 1},
      {"byte that begins nothing", "\xFFx", std::nullopt, 1},
      {"five-byte lead", "\xF8\x88\x80\x80\x80", std::nullopt, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t pos = 0;
    EXPECT_EQ(decodeUtf8(c.text, pos), c.cp);
    EXPECT_EQ(pos, c.next);
  }
}

struct CheckCase {
  std::string text;
  bool valid;
};

TEST(IsUtf8, EveryByteInAWellFormedSequence) {
  const CheckCase cases[] = {
      {"", true},
      {"Languages=1\n", true},
      {"License=\xD0\x91\xD0\xB5\xD1\x81", true},
      {"Site_Url=\xC3\n", false},
      {"\xC3", false},
      {"ok\x80", false},
      {std::string("a\0b", 3), true},  // NUL is a character; telling text from binary is the caller's call
  };
  for (const auto& c : cases) EXPECT_EQ(isUtf8(c.text), c.valid) << '"' << c.text << '"';
}

TEST(AppendUtf8, EncodesEveryLengthAndDecodesBack) {
  const struct {
    char32_t cp;
    std::string utf8;
  } cases[] = {
      {U'@', "@"},
      {U'\u00B0', "\xC2\xB0"},
      {U'\u044F', "\xD1\x8F"},
      {U'\u20AC', "\xE2\x82\xAC"},
      {U'\U0001F600', "\xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    std::string out;
    appendUtf8(out, c.cp);
    EXPECT_EQ(out, c.utf8);
    std::size_t pos = 0;
    EXPECT_EQ(decodeUtf8(out, pos), c.cp);
  }
}

struct CharacterCase {
  std::string text;
  std::size_t length;
  std::size_t lastStart;
};

TEST(Utf8Characters, LengthAndWhereTheLastBegins) {
  const CharacterCase cases[] = {
      {"", 0, 0},
      {"abc", 3, 2},
      {"SHA|@3.30 GH", 12, 11},
      {"67\xC2\xB0", 3, 2},
      {"\xD0\x9D\xD0\xB5", 2, 2},
      {"x\xE2\x84\x96", 2, 1},
      {"\x80\x80", 0, 0},  // continuation bytes alone
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8Length(c.text), c.length) << '"' << c.text << '"';
    EXPECT_EQ(lastCharacterStart(c.text), c.lastStart) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace wexmora::base
