#pragma once
// Instruction-set features, named twice: as Linux names them in the "flags"
// of /proc/cpuinfo, and as the catalogue names technologies. The CPUID
// instruction's bits are read into the Linux names first, so both systems
// share one table of technology names.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vendor.h"

namespace wexmora::platform {

using FeatureFlags = std::set<std::string, std::less<>>;

// Adds the flags of a "flags" line (names separated by blanks) that name a
// technology; the others are left out, so that a line of any length costs
// no memory.
void addTechnologyFlags(std::string_view flagsLine, FeatureFlags& flags);

// The technologies the flags prove, in the catalogue's order. `smt` says
// that a core runs more than one thread ("HT" for Intel, "SMT" otherwise).
std::vector<std::string> technologyNames(Vendor vendor, const FeatureFlags& flags, bool smt);

// Whether the flags can prove the technology of that name (the threads of a
// core prove HT and SMT, which this does not count).
bool technologyFlagged(std::string_view name);

// The CPUID registers the feature table reads. A leaf beyond the processor's
// highest one is left zero.
enum CpuidWord { kLeaf1Ecx, kLeaf1Edx, kLeaf7Ebx, kLeaf7Ecx, kLeaf80000001Ecx, kLeaf80000001Edx, kCpuidWordCount };
struct CpuidWords {
  std::uint32_t words[kCpuidWordCount] = {};
};

// The flags, in Linux's names, that the CPUID bits set.
FeatureFlags cpuidFlags(const CpuidWords& cpuid);

// The family as Linux and Windows show it, from CPUID leaf 1's EAX: the
// base family, plus the extended family when the base is 15.
int displayFamily(std::uint32_t leaf1Eax);

}  // namespace wexmora::platform
