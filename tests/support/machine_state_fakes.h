#pragma once
// Test doubles for how the system runs the processor: CPUID leaves held in
// a table, and a source that answers with a fixed state.
#include <map>
#include <string>
#include <utility>

#include "platform/cpuid.h"
#include "platform/machine_state.h"

namespace wexmora::testing {

class FakeCpuid : public platform::Cpuid {
 public:
  FakeCpuid() = default;
  explicit FakeCpuid(std::map<std::uint32_t, platform::CpuidRegisters> leaves) : leaves(std::move(leaves)) {}
  std::optional<platform::CpuidRegisters> query(std::uint32_t leaf, std::uint32_t) const override {
    const auto found = leaves.find(leaf);
    if (found == leaves.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::uint32_t, platform::CpuidRegisters> leaves;
};

// The leaves of a processor under a hypervisor whose leaf 0x40000000 spells
// `signature` (12 characters, NULs allowed) and reaches `highest`.
inline FakeCpuid hypervisorCpuid(std::string signature, std::uint32_t highest = 0x40000001) {
  signature.resize(12, '\0');
  platform::CpuidRegisters vendor{highest, 0, 0, 0};
  auto word = [&](int at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(signature[at + i]);
    return value;
  };
  vendor.ebx = word(0), vendor.ecx = word(4), vendor.edx = word(8);
  return FakeCpuid({{1, {0x000906EA, 0, 1u << 31, 0}}, {0x40000000, vendor}});
}

class FakeMachineStateSource : public platform::MachineStateSource {
 public:
  explicit FakeMachineStateSource(platform::MachineState state = {}) : state(std::move(state)) {}
  platform::MachineState read() const override {
    ++reads;
    return state;
  }
  platform::MachineState state;
  mutable int reads = 0;
};

}  // namespace wexmora::testing
