#include <cpuid.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "platform/cpu_features.h"
#include "platform/machine_facts.h"
#include "platform/processor_information.h"
#include "platform/processor_topology.h"

namespace wexmora::platform {
namespace {

// Far more than the records of the largest machine Windows runs on.
constexpr DWORD kMaxInformationBytes = 4 * 1024 * 1024;
constexpr std::uint32_t kMaxMhz = 100'000;

// The processor records, in storage aligned for them; empty when the system
// gives none.
struct ProcessorRecords {
  std::unique_ptr<std::uint64_t[]> storage;
  DWORD size = 0;
  std::string_view bytes() const { return {reinterpret_cast<const char*>(storage.get()), size}; }
};

ProcessorRecords readProcessorRecords() {
  ProcessorRecords records;
  DWORD size = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {  // the records may grow between the calls
    auto* buffer = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(records.storage.get());
    if (GetLogicalProcessorInformationEx(RelationAll, buffer, &size)) {
      records.size = size;
      return records;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0 || size > kMaxInformationBytes) break;
    records.storage = std::make_unique<std::uint64_t[]>(size / sizeof(std::uint64_t) + 1);
  }
  return {};
}

struct CpuidFacts {
  std::string vendorId;
  int family = 0;
  CpuidWords words;
  std::uint32_t maxMhz = 0;  // from leaf 0x16 where the processor has it
};

CpuidFacts readCpuid() {
  CpuidFacts facts;
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__get_cpuid(0, &a, &b, &c, &d)) return facts;
  const unsigned highestLeaf = a;
  char vendor[12];
  std::memcpy(vendor, &b, 4), std::memcpy(vendor + 4, &d, 4), std::memcpy(vendor + 8, &c, 4);
  facts.vendorId.assign(vendor, sizeof vendor);
  if (__get_cpuid(1, &a, &b, &c, &d)) {
    facts.family = displayFamily(a);
    facts.words.words[kLeaf1Ecx] = c, facts.words.words[kLeaf1Edx] = d;
  }
  if (highestLeaf >= 7 && __get_cpuid_count(7, 0, &a, &b, &c, &d))
    facts.words.words[kLeaf7Ebx] = b, facts.words.words[kLeaf7Ecx] = c;
  if (highestLeaf >= 0x16 && __get_cpuid(0x16, &a, &b, &c, &d)) facts.maxMhz = b & 0xFFFF;
  if (__get_cpuid(0x80000001, &a, &b, &c, &d))
    facts.words.words[kLeaf80000001Ecx] = c, facts.words.words[kLeaf80000001Edx] = d;
  return facts;
}

class WindowsMachineFactsSource : public MachineFactsSource {
 public:
  MachineFacts read() const override {
    try {
      MachineFacts facts;
      const CpuidFacts cpuid = readCpuid();
      const Vendor vendor = vendorOf(cpuid.vendorId);
      const ProcessorRecords records = readProcessorRecords();
      // Windows too shows a module of AMD's family 21 as one core with two threads.
      summarise(parseProcessorInformation(records.bytes()), vendor == Vendor::Amd && cpuid.family == 21, facts);
      // The processor's own highest clock where it gives one. The registry's
      // "~MHz" is the clock at start-up, near the base clock: shown as the
      // highest, it would be wrong, so without leaf 0x16 the clock stays unknown.
      if (cpuid.maxMhz <= kMaxMhz) facts.maxMhz = static_cast<int>(cpuid.maxMhz);
      facts.technologies =
          technologyNames(vendor, cpuidFlags(cpuid.words), facts.cores > 0 && facts.threads > facts.cores);
      return facts;
    } catch (const std::exception&) {  // out of memory: the facts stay unknown
      return {};
    }
  }
};

}  // namespace

std::unique_ptr<MachineFactsSource> makeMachineFactsSource() { return std::make_unique<WindowsMachineFactsSource>(); }

}  // namespace wexmora::platform
