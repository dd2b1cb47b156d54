#pragma once
// The processor's maker, one enum for every layer: the platform's feature
// tables, the model-number reader, the extended table and the pass's facts.
#include <string_view>

namespace wexmora::platform {

enum class Vendor { Intel, Amd, Other };

// The CPUID vendor string: "GenuineIntel" -> Intel; "AuthenticAMD" and
// "HygonGenuine" -> Amd; anything else -> Other.
constexpr Vendor vendorOf(std::string_view vendorId) {
  if (vendorId == "GenuineIntel") return Vendor::Intel;
  if (vendorId == "AuthenticAMD" || vendorId == "HygonGenuine") return Vendor::Amd;
  return Vendor::Other;
}

}  // namespace wexmora::platform
