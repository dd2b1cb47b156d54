#include "platform/machine_facts.h"

namespace wexmora::platform {

std::string cacheText(std::uint64_t bytes) {
  constexpr std::uint64_t kKib = 1024, kMib = 1024 * 1024;
  if (bytes < kMib - kKib / 2) return std::to_string((bytes + kKib / 2) / kKib) + " Kb";
  // Hundredths of a megabyte, rounded; computed in parts so that no size overflows.
  const std::uint64_t hundredths = bytes / kMib * 100 + (bytes % kMib * 100 + kMib / 2) / kMib;
  std::string text = std::to_string(hundredths / 100);
  if (const auto fraction = hundredths % 100; fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text + " Mb";
}

}  // namespace wexmora::platform
