// How the system runs the processor, read from Linux's files over a file
// tree held in memory and from CPUID leaves held in a table: each parser on
// its own, the reader over whole trees, hostile files that leave a fact
// unknown, and the hypervisor's leaves.
#include "platform/machine_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/machine_facts_fakes.h"
#include "support/machine_state_fakes.h"
#include "support/temp_dir.h"

namespace wexmora::platform {
namespace {

using testing::FakeCpuid;
using testing::MemoryFileTree;

TEST(MachineStateParsers, SmtControl) {
  const struct {
    const char* text;
    SmtControl control;
  } cases[] = {
      {"on\n", SmtControl::On},
      {"off\n", SmtControl::Off},
      {"forceoff", SmtControl::ForceOff},
      {"notsupported\n", SmtControl::NotSupported},
      {"notimplemented\n", SmtControl::NotImplemented},
      {"Off\n", SmtControl::Unknown},
      {"", SmtControl::Unknown},
      {"on off", SmtControl::Unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(parseSmtControl(c.text), c.control) << c.text;
}

TEST(MachineStateParsers, CpuMax) {
  const struct {
    const char* text;
    std::optional<CpuMax> limit;
  } cases[] = {
      {"max 100000\n", CpuMax{std::nullopt, 100000}},
      {"200000 100000\n", CpuMax{200000, 100000}},
      {"150000 100000", CpuMax{150000, 100000}},
      {"max", CpuMax{std::nullopt, 100000}},
      {"50000", CpuMax{50000, 100000}},
      {"0 100000", std::nullopt},
      {"200000 0", std::nullopt},
      {"-1 100000", std::nullopt},
      {"200000  100000", std::nullopt},
      {"99999999999999999999 100000", std::nullopt},
      {"1000000000001 100000", std::nullopt},
      {"", std::nullopt},
      {"max 100000 7", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parseCpuMax(c.text), c.limit) << c.text;
}

TEST(MachineStateParsers, CgroupPath) {
  const struct {
    const char* text;
    std::optional<std::string> path;
  } cases[] = {
      {"0::/\n", "/"},
      {"0::/user.slice/user-1000.slice/session-2.scope\n", "/user.slice/user-1000.slice/session-2.scope"},
      {"12:cpu,cpuacct:/docker/abc\n0::/docker/abc\n", "/docker/abc"},
      {"12:cpu,cpuacct:/docker/abc\n", std::nullopt},  // cgroup v1 only
      {"0::/a/../../etc\n", std::nullopt},
      {"0::/a//b\n", std::nullopt},
      {"0::relative\n", std::nullopt},
      {"0::/a/./b", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parseCgroupPath(c.text), c.path) << c.text;
}

TEST(MachineStateParsers, Maxcpus) {
  EXPECT_EQ(parseMaxcpus("BOOT_IMAGE=/vmlinuz root=/dev/sda1 maxcpus=4 quiet\n"), 4);
  EXPECT_EQ(parseMaxcpus("maxcpus=2 maxcpus=6"), 6);
  EXPECT_EQ(parseMaxcpus("nomaxcpus=2"), std::nullopt);
  EXPECT_EQ(parseMaxcpus("maxcpus=x"), std::nullopt);
  EXPECT_EQ(parseMaxcpus("maxcpus=99999"), std::nullopt);
  EXPECT_EQ(parseMaxcpus(""), std::nullopt);
}

constexpr const char* kCpu = "sys/devices/system/cpu/";

std::map<std::string, std::string> sixCoresFourOnline() {
  const std::string cpu = kCpu;
  return {{cpu + "smt/control", "notsupported\n"},
          {cpu + "online", "0-3\n"},
          {cpu + "offline", "4-5\n"},
          {cpu + "present", "0-5\n"},
          {cpu + "possible", "0-7\n"},
          {"proc/cmdline", "root=/dev/sda1 quiet\n"},
          {"proc/self/cgroup", "0::/user.slice/a\n"},
          {"sys/fs/cgroup/user.slice/a/cpuset.cpus.effective", "0-3\n"},
          {"sys/fs/cgroup/user.slice/cpu.max", "max 100000\n"}};
}

TEST(LinuxMachineState, ReadsTheProcessorListsAndSmtControl) {
  const MemoryFileTree files(sixCoresFourOnline());
  const MachineState state = readLinuxMachineState(files, FakeCpuid());
  EXPECT_EQ(state.smt, SmtControl::NotSupported);
  EXPECT_EQ(state.online, (CpuListFact{"0-3", 4}));
  EXPECT_EQ(state.offline, (CpuListFact{"4-5", 2}));
  EXPECT_EQ(state.present, (CpuListFact{"0-5", 6}));
  EXPECT_EQ(state.possible, (CpuListFact{"0-7", 8}));
  EXPECT_EQ(state.maxcpus, std::nullopt);
  EXPECT_EQ(state.cpuMax, std::nullopt) << "\"max\" is no limit";
  EXPECT_EQ(state.cgroupCpus, (CpuListFact{"0-3", 4}));
  EXPECT_FALSE(state.hypervisor.present);
}

// The tightest cpu.max of the program's cgroup and those above it.
TEST(LinuxMachineState, TheTightestCgroupLimitAboveTheProgram) {
  MemoryFileTree files({{"proc/self/cgroup", "0::/kubepods/pod1/c1\n"},
                        {"sys/fs/cgroup/kubepods/pod1/c1/cpu.max", "400000 100000\n"},
                        {"sys/fs/cgroup/kubepods/pod1/cpu.max", "200000 100000\n"},
                        {"sys/fs/cgroup/kubepods/cpu.max", "max 100000\n"},
                        {"sys/fs/cgroup/cpuset.cpus.effective", "0-15\n"}});
  const MachineState state = readLinuxMachineState(files, FakeCpuid());
  EXPECT_EQ(state.cpuMax, (CpuMax{200000, 100000}));
  EXPECT_EQ(state.cpuMaxCgroup, "/kubepods/pod1");
  EXPECT_EQ(state.cgroupCpus, (CpuListFact{"0-15", 16})) << "the nearest cpuset walking up";

  // Inside a container's own cgroup namespace the program's cgroup is "/".
  files.files = {{"proc/self/cgroup", "0::/\n"}, {"sys/fs/cgroup/cpu.max", "200000 100000\n"}};
  EXPECT_EQ(readLinuxMachineState(files, FakeCpuid()).cpuMax, (CpuMax{200000, 100000}));
}

TEST(LinuxMachineState, TurboSwitchesAndTheClockLimit) {
  const std::string cpu = kCpu;
  const struct {
    const char* name;
    std::map<std::string, std::string> files;
    std::optional<bool> turbo;
    TurboSwitch which;
  } cases[] = {
      {"intel_pstate off", {{cpu + "intel_pstate/no_turbo", "1\n"}}, false, TurboSwitch::IntelPstateNoTurbo},
      {"intel_pstate on", {{cpu + "intel_pstate/no_turbo", "0\n"}}, true, TurboSwitch::IntelPstateNoTurbo},
      {"boost off", {{cpu + "cpufreq/boost", "0\n"}}, false, TurboSwitch::CpufreqBoost},
      {"boost on", {{cpu + "cpufreq/boost", "1\n"}}, true, TurboSwitch::CpufreqBoost},
      {"out of range", {{cpu + "intel_pstate/no_turbo", "7\n"}}, std::nullopt, TurboSwitch::None},
      {"none", {}, std::nullopt, TurboSwitch::None},
  };
  for (const auto& c : cases) {
    const MachineState state = readLinuxMachineState(MemoryFileTree(c.files), FakeCpuid());
    EXPECT_EQ(state.turbo, c.turbo) << c.name;
    EXPECT_EQ(state.turboSwitch, c.which) << c.name;
  }
  const MemoryFileTree limited({{cpu + "online", "0-1\n"},
                                {cpu + "cpu0/cpufreq/scaling_max_freq", "2200000\n"},
                                {cpu + "cpu1/cpufreq/scaling_max_freq", "2400000\n"}});
  EXPECT_EQ(readLinuxMachineState(limited, FakeCpuid()).limitMhz, 2400);
}

TEST(LinuxMachineState, HypervisorFilesAndCpuid) {
  const MemoryFileTree files({{"sys/hypervisor/type", "xen\n"},
                              {"sys/class/dmi/id/sys_vendor", "QEMU\n"},
                              {"sys/class/dmi/id/product_name", "Standard PC (Q35 + ICH9, 2009)\n"},
                              {"proc/sys/kernel/osrelease", "5.15.153.1-microsoft-standard-WSL2\n"}});
  const MachineState state = readLinuxMachineState(files, testing::hypervisorCpuid("KVMKVMKVM"));
  EXPECT_EQ(state.hypervisor, (HypervisorCpuid{true, "KVMKVMKVM", false}));
  EXPECT_EQ(state.hypervisorType, "xen");
  EXPECT_EQ(state.dmiVendor, "QEMU");
  EXPECT_EQ(state.dmiProduct, "Standard PC (Q35 + ICH9, 2009)");
  EXPECT_TRUE(state.wsl);
}

TEST(HypervisorCpuidTest, TheBitTheSignatureAndHypervsHostPartition) {
  EXPECT_EQ(readHypervisorCpuid(FakeCpuid()), HypervisorCpuid{});
  EXPECT_EQ(readHypervisorCpuid(FakeCpuid({{1, {0, 0, 0x7FFFFFFF, 0}}})), HypervisorCpuid{}) << "bit 31 clear";
  EXPECT_EQ(readHypervisorCpuid(testing::hypervisorCpuid("VMwareVMware")).signature, "VMwareVMware");
  EXPECT_EQ(readHypervisorCpuid(testing::hypervisorCpuid(std::string("ab\x01\xff", 4))).signature, "ab??");
  // The bit without leaf 0x40000000: a hypervisor, unnamed.
  EXPECT_EQ(readHypervisorCpuid(FakeCpuid({{1, {0, 0, 1u << 31, 0}}})), (HypervisorCpuid{true, "", false}));

  auto host = testing::hypervisorCpuid("Microsoft Hv", 0x4000000B);
  host.leaves[0x40000003] = {0, 1, 0, 0};
  EXPECT_TRUE(readHypervisorCpuid(host).hostPartition);
  host.leaves[0x40000003] = {0, 0, 0, 0};
  EXPECT_FALSE(readHypervisorCpuid(host).hostPartition) << "a guest of Hyper-V";
}

// Windows: CPUID alone names the hypervisor; the facts of Linux's files stay
// unknown, so that no rule reads them there.
TEST(HypervisorCpuidTest, WindowsReadsTheHypervisorOnly) {
  const MachineState kvm = readWindowsMachineState(testing::hypervisorCpuid("KVMKVMKVM"));
  EXPECT_TRUE(kvm.hypervisor.present);
  EXPECT_EQ(kvm.hypervisor.signature, "KVMKVMKVM");
  EXPECT_EQ(kvm.online, std::nullopt);
  EXPECT_EQ(kvm.smt, SmtControl::Unknown);
  EXPECT_EQ(kvm.cpuMax, std::nullopt);
  EXPECT_EQ(kvm.turbo, std::nullopt);
  EXPECT_EQ(readWindowsMachineState(FakeCpuid()), MachineState{});
}

// Garbage, binary, huge and out-of-range values leave each fact unknown.
TEST(LinuxMachineState, HostileFilesLeaveFactsUnknown) {
  const std::string cpu = kCpu;
  const std::string huge(1 << 20, '1');
  const std::string binary("\x00\xff\x01-\x02,\x7f", 7);
  for (const std::string& bad : {huge, binary, std::string("0-99999\n"), std::string("3-1\n"), std::string(",")}) {
    const MemoryFileTree files({{cpu + "online", bad},
                                {cpu + "present", bad},
                                {cpu + "smt/control", bad},
                                {"proc/cmdline", bad},
                                {"proc/self/cgroup", "0::/" + bad},
                                {"sys/fs/cgroup/cpu.max", bad},
                                {cpu + "intel_pstate/no_turbo", bad},
                                {"sys/class/dmi/id/sys_vendor", bad}});
    const MachineState state = readLinuxMachineState(files, FakeCpuid());
    EXPECT_EQ(state.online, std::nullopt);
    EXPECT_EQ(state.present, std::nullopt);
    EXPECT_EQ(state.smt, SmtControl::Unknown);
    EXPECT_EQ(state.cpuMax, std::nullopt);
    EXPECT_EQ(state.turbo, std::nullopt);
    EXPECT_LE(state.dmiVendor.size(), 256u);
  }
  EXPECT_EQ(readLinuxMachineState(MemoryFileTree(), FakeCpuid()), MachineState{}) << "no files at all";
}

// A folder where a file should be, over the real file system.
class MachineStateDirectories : public testing::TempDir {};

TEST_F(MachineStateDirectories, AFolderInPlaceOfAFileIsNoFact) {
  std::filesystem::create_directories(dir / "sys/devices/system/cpu/online");
  std::filesystem::create_directories(dir / "sys/devices/system/cpu/smt");
  std::ofstream(dir / "sys/devices/system/cpu/smt/control") << "off\n";
  std::filesystem::create_directories(dir / "proc/self/cgroup");
  const MachineState state = readLinuxMachineState(DirectoryTree(dir), FakeCpuid());
  EXPECT_EQ(state.online, std::nullopt);
  EXPECT_EQ(state.cpuMax, std::nullopt);
  EXPECT_EQ(state.smt, SmtControl::Off);
}

}  // namespace
}  // namespace wexmora::platform
