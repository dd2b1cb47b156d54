// The record list's codecs: base64 (the decoder IdDecoder1 and its inverse)
// and the CP1251 <-> UTF-8 conversion of record texts. The compiled-in items
// and the default constructor that loads them are generated at build time
// from resources/catalogue/records.txt.
#include "core/data/record_list.h"

#include <array>
#include <cstdint>

#include "base/utf8.h"

namespace wexmora::catalogue {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of a base64 character, or -1 for a character outside the alphabet.
constexpr std::array<int, 256> kDigitValues = [] {
  std::array<int, 256> values{};
  values.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  return values;
}();

// Code points of CP1251 bytes 0x80-0xBF; 0x98 is unassigned. Bytes 0xC0-0xFF
// are the Cyrillic letters U+0410-U+044F in order.
// clang-format off
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
// clang-format on

constexpr char32_t kCyrillicA = 0x0410;
constexpr char kUnmappable = '?';

char32_t codePointOf(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xC0) return kUpperHalf[byte - 0x80];
  return kCyrillicA + (byte - 0xC0);
}

char cp1251ByteOf(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= kCyrillicA && cp < kCyrillicA + 64) return static_cast<char>(0xC0 + (cp - kCyrillicA));
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == cp && cp != base::kReplacementCharacter) return static_cast<char>(0x80 + i);
  }
  return kUnmappable;
}

}  // namespace

RecordList::RecordList(std::vector<std::string> stored) : items_(std::move(stored)) {}

std::string decodeBase64(std::string_view encoded) {
  std::string bytes;
  bytes.reserve(encoded.size() / 4 * 3);
  std::uint32_t buffer = 0;
  int bits = 0;
  for (const char c : encoded) {
    if (c == '=') break;  // padding ends the data
    const int value = kDigitValues[static_cast<unsigned char>(c)];
    if (value < 0) continue;
    buffer = (buffer << 6) | static_cast<std::uint32_t>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((buffer >> bits) & 0xFF);
    }
  }
  return bytes;
}

std::string encodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group = (static_cast<unsigned char>(bytes[i]) << 16) |
                                (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                                static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) text += kAlphabet[(group >> shift) & 0x3F];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    text += kAlphabet[(group >> 18) & 0x3F];
    text += kAlphabet[(group >> 12) & 0x3F];
    text += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    text += '=';
  }
  return text;
}

std::string cp1251ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 4);
  for (const char byte : bytes) base::appendUtf8(text, codePointOf(static_cast<unsigned char>(byte)));
  return text;
}

std::string utf8ToCp1251(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();)
    bytes += cp1251ByteOf(base::decodeUtf8(text, pos).value_or(base::kReplacementCharacter));
  return bytes;
}

}  // namespace wexmora::catalogue
