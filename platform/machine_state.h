#pragma once
// What the system says about how the processor runs, beside what it is
// (machine_facts.h): whether SMT is switched off, which logical processors
// are online, the CPU limit of the program's own cgroup, the hypervisor the
// program runs under, the turbo switches and the clock limit. The data sheet
// is held against these (core/check/). Linux reads small files under /sys
// and /proc over a FileTree, Windows asks CPUID; tests use fakes. A fact the
// system does not give, or gives garbled, stays unknown.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cpuid.h"

namespace wexmora::platform {

class FileTree;

// /sys/devices/system/cpu/smt/control.
enum class SmtControl { Unknown, On, Off, ForceOff, NotSupported, NotImplemented };

// A processor list as the kernel wrote it ("0-3,8"), and how many it names.
struct CpuListFact {
  std::string text;
  int count = 0;
  bool operator==(const CpuListFact&) const = default;
};

// A cgroup v2 cpu.max: the run time allowed per period, in microseconds;
// no quota for "max".
struct CpuMax {
  std::optional<std::uint64_t> quota;
  std::uint64_t period = 100000;
  bool operator==(const CpuMax&) const = default;
};

// What said that turbo is on or off.
enum class TurboSwitch { None, IntelPstateNoTurbo, CpufreqBoost };

struct MachineState {
  SmtControl smt = SmtControl::Unknown;
  std::optional<CpuListFact> online, offline, present, possible;
  std::optional<int> maxcpus;  // "maxcpus=" of the kernel's command line

  // The tightest cpu.max of the program's cgroup and of those above it, and
  // the folder it was read from ("/system.slice/x.service").
  std::optional<CpuMax> cpuMax;
  std::string cpuMaxCgroup;
  std::optional<CpuListFact> cgroupCpus;  // cpuset.cpus.effective of the program's cgroup

  HypervisorCpuid hypervisor;
  std::string hypervisorType;         // /sys/hypervisor/type ("xen")
  std::string dmiVendor, dmiProduct;  // /sys/class/dmi/id/sys_vendor, product_name
  bool wsl = false;                   // the kernel's release names WSL

  std::optional<bool> turbo;  // false: switched off
  TurboSwitch turboSwitch = TurboSwitch::None;
  int limitMhz = 0;  // the highest scaling_max_freq of the online processors; 0 when unknown

  bool operator==(const MachineState&) const = default;
};

class MachineStateSource {
 public:
  virtual ~MachineStateSource() = default;
  // Never throws, never blocks: the readers are a few small files.
  virtual MachineState read() const = 0;
};

// This machine's state, read by the system's own means.
std::unique_ptr<MachineStateSource> makeMachineStateSource();

// The parsers of the files' texts, each a line end allowed:
// "on", "off", "forceoff", "notsupported", "notimplemented".
SmtControl parseSmtControl(std::string_view text);
// "max 100000", "200000 100000", "max" (the period left at its default).
// Nothing for any other text and for a quota or period of 0 or beyond a
// million seconds.
std::optional<CpuMax> parseCpuMax(std::string_view text);
// The cgroup v2 path of /proc/self/cgroup's "0::/path" line: begins with
// "/", no "." or ".." parts, no empty parts but a final "/" alone; nothing
// where the file has no such line.
std::optional<std::string> parseCgroupPath(std::string_view text);
// The last "maxcpus=N" word of the kernel's command line, N below
// kMaxLogicalProcessors; nothing without one.
std::optional<int> parseMaxcpus(std::string_view cmdline);

// Linux's files (and the CPUID hypervisor leaves), over any file tree.
MachineState readLinuxMachineState(const FileTree& files, const Cpuid& cpuid);

// What Windows can tell: the hypervisor, from CPUID.
MachineState readWindowsMachineState(const Cpuid& cpuid);

}  // namespace wexmora::platform
