#include "base/utf8.h"

namespace wexmora::base {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the sequence a lead byte begins, 0 for a byte that begins none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  if ((lead >> 3) == 0x1E) return 4;
  return 0;
}

}  // namespace

std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = sequenceLength(lead);
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return std::nullopt;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if (!isContinuation(next)) {
      ++pos;
      return std::nullopt;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  pos += length;
  return cp;
}

bool isUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();)
    if (static_cast<unsigned char>(text[pos]) < 0x80)
      ++pos;  // most of any text
    else if (!decodeUtf8(text, pos))
      return false;
  return true;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t utf8Length(std::string_view text) {
  std::size_t length = 0;
  for (const char c : text) length += !isContinuation(static_cast<unsigned char>(c));
  return length;
}

std::size_t lastCharacterStart(std::string_view text) {
  std::size_t start = text.size();
  while (start > 0 && isContinuation(static_cast<unsigned char>(text[start - 1]))) --start;
  return start > 0 ? start - 1 : 0;
}

}  // namespace wexmora::base
