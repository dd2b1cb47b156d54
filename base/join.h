#pragma once
// A list written as the catalogue writes its technologies: "SSE, SSE2, AES".
#include <string>
#include <string_view>
#include <vector>

#include "base/trim.h"

namespace wexmora::base {

inline std::string joinWithCommas(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

// The items of such a list, each trimmed; an empty text is an empty list.
inline std::vector<std::string> splitAtCommas(std::string_view list) {
  std::vector<std::string> items;
  while (!list.empty()) {
    const auto comma = list.find(", ");
    items.emplace_back(trim(list.substr(0, comma)));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
  }
  return items;
}

}  // namespace wexmora::base
