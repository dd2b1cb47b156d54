#pragma once
// A list written as the catalogue writes its technologies: "SSE, SSE2, AES".
#include <string>
#include <vector>

namespace wexmora::base {

inline std::string joinWithCommas(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

}  // namespace wexmora::base
