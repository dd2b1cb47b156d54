#include "platform/cpuid.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace wexmora::platform {
namespace {

constexpr std::uint32_t kHypervisorFirst = 0x40000000, kHypervisorLast = 0x4FFFFFFF;

class ProcessorCpuid : public Cpuid {
 public:
  std::optional<CpuidRegisters> query(std::uint32_t leaf, std::uint32_t subleaf) const override {
#if defined(__i386__) || defined(__x86_64__)
    CpuidRegisters r;
    if (leaf >= kHypervisorFirst && leaf <= kHypervisorLast) {
      // __get_cpuid_count would compare the leaf with the highest basic one
      // and refuse it: a hypervisor's leaves lie outside that range.
      __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
      return r;
    }
    if (!__get_cpuid_count(leaf, subleaf, &r.eax, &r.ebx, &r.ecx, &r.edx)) return std::nullopt;
    return r;
#else
    (void)leaf, (void)subleaf;
    return std::nullopt;
#endif
  }
};

}  // namespace

std::unique_ptr<Cpuid> makeCpuid() { return std::make_unique<ProcessorCpuid>(); }

HypervisorCpuid readHypervisorCpuid(const Cpuid& cpuid) {
  HypervisorCpuid result;
  const auto leaf1 = cpuid.query(1);
  if (!leaf1 || !(leaf1->ecx >> 31 & 1u)) return result;
  result.present = true;
  const auto leaf = cpuid.query(kHypervisorFirst);
  if (!leaf) return result;
  char text[12];
  std::memcpy(text, &leaf->ebx, 4), std::memcpy(text + 4, &leaf->ecx, 4), std::memcpy(text + 8, &leaf->edx, 4);
  std::string signature(text, sizeof text);
  while (!signature.empty() && (signature.back() == '\0' || signature.back() == ' ')) signature.pop_back();
  // A signature is printable text; anything else is not believed.
  for (char& c : signature)
    if (c < 0x20 || c > 0x7E) c = '?';
  result.signature = std::move(signature);
  constexpr std::uint32_t kPrivileges = 0x40000003;
  if (result.signature == "Microsoft Hv" && leaf->eax >= kPrivileges)
    if (const auto privileges = cpuid.query(kPrivileges)) result.hostPartition = (privileges->ebx & 1u) != 0;
  return result;
}

}  // namespace wexmora::platform
