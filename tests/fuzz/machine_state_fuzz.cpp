// Any bytes as the files the check against the machine reads: the input cut
// at NUL bytes gives smt/control, the online, offline, present and possible
// lists, the kernel's command line, /proc/self/cgroup, cpu.max and
// cpuset.cpus.effective of a cgroup "/a/b" and of "/a", the turbo switches,
// scaling_max_freq of processors 0 and 1, /sys/hypervisor/type and the DMI
// vendor and product, in that order; files past the last part are missing.
// The hypervisor's CPUID leaves come from the first 12 bytes.
//
// What must hold: reading twice gives the same state; a list's count is that
// of its numbers and below the processor limit; a cpu.max has a quota; the
// names are printable and short; the clock limit is 0 or 1 to 100,000 MHz;
// and the files read stay few, whatever the cgroup path.
#include <map>

#include "fuzz_support.h"
#include "platform/machine_state.h"
#include "platform/processor_files.h"
#include "platform/processor_topology.h"
#include "support/machine_facts_fakes.h"
#include "support/machine_state_fakes.h"

namespace {

using namespace wexmora;
using fuzz::shown;

const char* const kPaths[] = {
    "sys/devices/system/cpu/smt/control",
    "sys/devices/system/cpu/online",
    "sys/devices/system/cpu/offline",
    "sys/devices/system/cpu/present",
    "sys/devices/system/cpu/possible",
    "proc/cmdline",
    "proc/self/cgroup",
    "sys/fs/cgroup/a/b/cpu.max",
    "sys/fs/cgroup/a/b/cpuset.cpus.effective",
    "sys/fs/cgroup/a/cpu.max",
    "sys/fs/cgroup/a/cpuset.cpus.effective",
    "sys/devices/system/cpu/intel_pstate/no_turbo",
    "sys/devices/system/cpu/cpufreq/boost",
    "sys/devices/system/cpu/cpu0/cpufreq/scaling_max_freq",
    "sys/devices/system/cpu/cpu1/cpufreq/scaling_max_freq",
    "sys/hypervisor/type",
    "sys/class/dmi/id/sys_vendor",
    "sys/class/dmi/id/product_name",
};

bool printable(const std::string& name) {
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return name.size() <= 256;
}

void checkList(const std::optional<platform::CpuListFact>& list, const std::string& input) {
  if (!list) return;
  const auto ids = platform::parseCpuList(list->text, platform::kMaxLogicalProcessors);
  FUZZ_CHECK(ids && static_cast<int>(ids->size()) == list->count, "a list's count is not its own: " + shown(input));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::fields(data, size);
  testing::MemoryFileTree files;
  for (std::size_t i = 0; i < parts.size() && i < std::size(kPaths); ++i) files.files[kPaths[i]] = parts[i];
  const std::string input = fuzz::asText(data, size);
  const std::string signature = input.substr(0, 12);
  const testing::FakeCpuid cpuid = testing::hypervisorCpuid(signature, size > 0 && data[0] & 1 ? 0x40000003 : 1);

  const platform::MachineState state = platform::readLinuxMachineState(files, cpuid);
  const std::size_t reads = files.reads.size();
  FUZZ_CHECK(platform::readLinuxMachineState(files, cpuid) == state, "read twice, otherwise: " + shown(input));
  FUZZ_CHECK(reads <= 256, std::to_string(reads) + " files read: " + shown(input));

  for (const auto* list : {&state.online, &state.offline, &state.present, &state.possible, &state.cgroupCpus})
    checkList(*list, input);
  FUZZ_CHECK(!state.cpuMax || state.cpuMax->quota, "a limit without a quota: " + shown(input));
  FUZZ_CHECK(state.limitMhz >= 0 && state.limitMhz <= 100'000, "clock limit out of range: " + shown(input));
  for (const std::string* name : {&state.hypervisorType, &state.dmiVendor, &state.dmiProduct})
    FUZZ_CHECK(printable(*name), "a name not printable: " + shown(*name));
  FUZZ_CHECK(printable(state.hypervisor.signature) && state.hypervisor.signature.size() <= 12,
             "signature: " + shown(state.hypervisor.signature));
  return 0;
}
