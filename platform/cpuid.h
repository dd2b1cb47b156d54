#pragma once
// The CPUID instruction behind a small interface, so that what the system
// reads through it (the hypervisor's leaves here) has a fake in tests.
// makeCpuid() uses <cpuid.h>, which GCC, Clang and MinGW share.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace wexmora::platform {

struct CpuidRegisters {
  std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
  bool operator==(const CpuidRegisters&) const = default;
};

class Cpuid {
 public:
  virtual ~Cpuid() = default;
  // The registers of one leaf; nothing where the processor has no such
  // basic or extended leaf. Leaves 0x40000000 to 0x4FFFFFFF belong to a
  // hypervisor and are only meaningful when leaf 1 says one is present.
  virtual std::optional<CpuidRegisters> query(std::uint32_t leaf, std::uint32_t subleaf = 0) const = 0;
};

// This processor's CPUID; on a processor without the instruction every
// query gives nothing.
std::unique_ptr<Cpuid> makeCpuid();

// What CPUID tells of a hypervisor: leaf 1's "hypervisor present" bit (ECX
// bit 31) and, when it is set, the 12 characters of leaf 0x40000000's
// EBX, ECX, EDX, with NULs and blanks at the end taken off.
struct HypervisorCpuid {
  bool present = false;
  std::string signature;
  // Hyper-V's host partition (Windows with virtualisation-based security
  // runs on the hypervisor, yet owns the machine): leaf 0x40000003's EBX
  // bit 0, the privilege to create partitions.
  bool hostPartition = false;
  bool operator==(const HypervisorCpuid&) const = default;
};

HypervisorCpuid readHypervisorCpuid(const Cpuid& cpuid);

}  // namespace wexmora::platform
