#include "base/decimal.h"

#include <charconv>

namespace wexmora::base {

std::optional<long> parseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);  // from_chars takes a minus sign but not a plus
  if (text.empty() || text.front() == '+') return std::nullopt;
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace wexmora::base
