#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, a check that
// reports a broken property and aborts (libFuzzer then keeps the input), and
// small readers of the raw input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace wexmora::fuzz {

// True under the replay driver (make test, a finding run again), false under
// libFuzzer: a target may then do for every input what it does only for a
// share of them while fuzzing.
inline bool& replaying() {
  static bool flag = false;
  return flag;
}

[[noreturn]] inline void fail(const char* file, int line, const char* property, const std::string& detail) {
  std::fprintf(stderr, "\nbroken property at %s:%d: %s\n%s\n", file, line, property, detail.c_str());
  std::abort();
}

// Printable form of a text for failure messages: bytes outside ASCII 32-126
// as \xNN.
inline std::string shown(std::string_view text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c >= 32 && c < 127 && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return out + "\"";
}

// The raw input as text.
inline std::string asText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The input cut at every NUL byte: brand, identifier, ... in that order.
inline std::vector<std::string> fields(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  return parts;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF),
// written independently of the program's own decoder.
inline bool validUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned long min = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4, min = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    unsigned long cp = c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace wexmora::fuzz

// Checks a property that must hold for every input; `detail` (a std::string
// expression) is only built when it fails.
#define FUZZ_CHECK(property, detail)                                                 \
  do {                                                                               \
    if (!(property)) ::wexmora::fuzz::fail(__FILE__, __LINE__, #property, (detail)); \
  } while (false)
