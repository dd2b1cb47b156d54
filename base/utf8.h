#pragma once
// UTF-8, the one decoder and encoder. Sequences are checked for their shape
// (a lead byte and the continuation bytes it announces), which is what the
// settings file and the record texts need.
#include <optional>
#include <string>
#include <string_view>

namespace wexmora::base {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point of the sequence at `pos`, and `pos` moved past it; nothing
// for a malformed or truncated sequence, with `pos` moved one byte on.
// `pos` must lie within `text`.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos);

// True when every byte of `text` belongs to a well-formed sequence.
bool isUtf8(std::string_view text);

// Appends the UTF-8 sequence of `cp`.
void appendUtf8(std::string& out, char32_t cp);

// The number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// Where the last character of a UTF-8 text begins (0 for an empty text).
std::size_t lastCharacterStart(std::string_view text);

}  // namespace wexmora::base
