#include "core/identify/text.h"

#include <algorithm>

#include "base/trim.h"

namespace wexmora::text {

std::string copy(std::string_view text, long start, long count) {
  if (start < 1) start = 1;
  const auto size = static_cast<long>(text.size());
  if (start > size || count < 0) return {};
  return std::string(
      text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(count, size - start + 1))));
}

std::string trim(std::string_view text) { return std::string(base::trim(text)); }

std::string remove(std::string_view text, long start, long count) {
  const auto size = static_cast<long>(text.size());
  std::string result(text);
  if (start < 1 || start > size || count <= 0) return result;
  result.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(std::min(count, size - start + 1)));
  return result;
}

std::string upper(std::string_view text) {
  std::string result(text);
  for (auto& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

}  // namespace wexmora::text
