#pragma once
// Reading a decimal integer out of a text, the one implementation.
#include <optional>
#include <string_view>

namespace wexmora::base {

// The number a whole text writes: an optional "+" or "-", then decimal digits
// up to the end and nothing else (no blanks). Nothing for any other text and
// for a number that does not fit a long.
std::optional<long> parseDecimal(std::string_view text);

}  // namespace wexmora::base
