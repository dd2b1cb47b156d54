#pragma once
// The text primitives every stage of the identification pass is written in.
// Positions count from 1, as the rule tables do; 0 means "not found".
// Texts are byte strings: the brand strings are ASCII, and the only non-ASCII
// texts (Russian captions, the degree sign) are never searched by position.
#include <string>
#include <string_view>

namespace wexmora::text {

// Position of the first occurrence of `pattern` in `text` (from 1), exact and
// case-sensitive; 0 when it does not occur. An empty pattern never occurs.
// (Inline: the rule chains call these some hundred times a pass.)
inline long search(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return 0;
  const auto at = text.find(pattern);
  return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

// search(pattern, text) > 0.
inline bool contains(std::string_view text, std::string_view pattern) { return search(pattern, text) > 0; }

// Up to `count` characters from position `start`. A start below 1 counts as 1;
// a start past the end or a negative count gives the empty text.
std::string copy(std::string_view text, long start, long count);

// Removes characters with codes 0 to 32 from both ends.
std::string trim(std::string_view text);

// Removes up to `count` characters from position `start` (nothing when start
// is below 1 or past the end, or count is not positive).
std::string remove(std::string_view text, long start, long count);

// ASCII upper case; other bytes unchanged.
std::string upper(std::string_view text);

}  // namespace wexmora::text
