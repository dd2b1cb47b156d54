#include "platform/machine_state.h"

#include <algorithm>

#include "base/decimal.h"
#include "base/trim.h"
#include "platform/processor_files.h"
#include "platform/processor_topology.h"

namespace wexmora::platform {
namespace {

constexpr std::string_view kLineBlanks = " \t\r\n";
constexpr std::string_view kCpuFolder = "sys/devices/system/cpu/";
constexpr std::string_view kCgroupRoot = "sys/fs/cgroup";
// How much of each file is read; a file that fills its limit is not believed.
constexpr std::size_t kValueBytes = 64;
constexpr std::size_t kNameBytes = 256;
constexpr std::size_t kListBytes = 64 * 1024;
constexpr std::size_t kCmdlineBytes = 8 * 1024;
constexpr std::size_t kCgroupFileBytes = 16 * 1024;
// A cgroup path deeper than this is not walked up further.
constexpr int kMaxCgroupDepth = 64;
// Clock limits are set per policy and mostly alike: a few processors tell.
constexpr int kMaxLimitReads = 64;
constexpr long kMinKhz = 1'000, kMaxKhz = 100'000'000;
constexpr std::uint64_t kMaxMicros = 1'000'000ull * 1'000'000ull;

// A line of printable text: the first line, control characters left out.
std::string readName(const FileTree& files, const std::string& path) {
  const auto text = readSmallFile(files, path, kNameBytes);
  if (!text) return {};
  std::string name;
  for (const char c : base::trim(*text, kLineBlanks)) {
    if (c == '\n') break;
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) name += c;
  }
  return name;
}

std::optional<CpuListFact> readCpuList(const FileTree& files, const std::string& path) {
  const auto text = readSmallFile(files, path, kListBytes);
  if (!text) return std::nullopt;
  const auto ids = parseCpuList(*text, kMaxLogicalProcessors);
  if (!ids) return std::nullopt;
  return CpuListFact{std::string(base::trim(*text, kLineBlanks)), static_cast<int>(ids->size())};
}

std::optional<std::uint64_t> digits(std::string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

// Whether `a` allows less run time than `b`.
bool tighter(const CpuMax& a, const CpuMax& b) {
  if (!a.quota) return false;
  if (!b.quota) return true;
  return static_cast<double>(*a.quota) / static_cast<double>(a.period) <
         static_cast<double>(*b.quota) / static_cast<double>(b.period);
}

void readCgroup(const FileTree& files, MachineState& state) {
  const auto own = readSmallFile(files, "proc/self/cgroup", kCgroupFileBytes);
  const auto path = own ? parseCgroupPath(*own) : std::nullopt;
  if (!path) return;
  // The program's cgroup, then each one above it up to the root: a limit of
  // any of them holds for the program.
  std::string folder = *path == "/" ? std::string() : *path;
  for (int depth = 0; depth < kMaxCgroupDepth; ++depth) {
    const std::string base = std::string(kCgroupRoot) + folder + "/";
    const auto text = readSmallFile(files, base + "cpu.max", kValueBytes);
    if (const auto limit = text ? parseCpuMax(*text) : std::nullopt; limit && limit->quota) {
      if (!state.cpuMax || tighter(*limit, *state.cpuMax)) {
        state.cpuMax = limit;
        state.cpuMaxCgroup = folder.empty() ? "/" : folder;
      }
    }
    if (!state.cgroupCpus) state.cgroupCpus = readCpuList(files, base + "cpuset.cpus.effective");
    if (folder.empty()) break;
    folder.resize(folder.rfind('/'));
  }
}

void readTurbo(const FileTree& files, MachineState& state) {
  if (const auto noTurbo = readSmallNumber(files, std::string(kCpuFolder) + "intel_pstate/no_turbo");
      noTurbo && (*noTurbo == 0 || *noTurbo == 1)) {
    state.turbo = *noTurbo == 0;
    state.turboSwitch = TurboSwitch::IntelPstateNoTurbo;
  } else if (const auto boost = readSmallNumber(files, std::string(kCpuFolder) + "cpufreq/boost");
             boost && (*boost == 0 || *boost == 1)) {
    state.turbo = *boost == 1;
    state.turboSwitch = TurboSwitch::CpufreqBoost;
  }
}

void readLimit(const FileTree& files, MachineState& state) {
  const auto text = readSmallFile(files, std::string(kCpuFolder) + "online", kListBytes);
  const auto online = text ? parseCpuList(*text, kMaxLogicalProcessors) : std::nullopt;
  if (!online) return;
  long highest = 0;
  int reads = 0;
  for (const int id : *online) {
    if (++reads > kMaxLimitReads) break;
    const auto khz =
        readSmallNumber(files, std::string(kCpuFolder) + "cpu" + std::to_string(id) + "/cpufreq/scaling_max_freq");
    if (khz && *khz >= kMinKhz && *khz <= kMaxKhz) highest = std::max(highest, *khz);
  }
  state.limitMhz = static_cast<int>((highest + 500) / 1000);
}

}  // namespace

SmtControl parseSmtControl(std::string_view text) {
  text = base::trim(text, kLineBlanks);
  if (text == "on") return SmtControl::On;
  if (text == "off") return SmtControl::Off;
  if (text == "forceoff") return SmtControl::ForceOff;
  if (text == "notsupported") return SmtControl::NotSupported;
  if (text == "notimplemented") return SmtControl::NotImplemented;
  return SmtControl::Unknown;
}

std::optional<CpuMax> parseCpuMax(std::string_view text) {
  text = base::trim(text, kLineBlanks);
  const auto blank = text.find(' ');
  const std::string_view quota = text.substr(0, blank);
  CpuMax limit;
  if (blank != std::string_view::npos) {
    const auto period = digits(text.substr(blank + 1));
    if (!period || *period == 0 || *period > kMaxMicros) return std::nullopt;
    limit.period = *period;
  }
  if (quota != "max") {
    const auto micros = digits(quota);
    if (!micros || *micros == 0 || *micros > kMaxMicros) return std::nullopt;
    limit.quota = *micros;
  }
  return limit;
}

std::optional<std::string> parseCgroupPath(std::string_view text) {
  constexpr std::string_view kUnified = "0::";
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.starts_with(kUnified)) continue;
    line.remove_prefix(kUnified.size());
    if (line.empty() || line.front() != '/') return std::nullopt;
    if (line == "/") return std::string(line);
    // Every part a plain name, so that the path stays under the cgroup root.
    std::string_view rest = line.substr(1);
    while (true) {
      const auto slash = rest.find('/');
      const std::string_view part = rest.substr(0, slash);
      if (part.empty() || part == "." || part == "..") return std::nullopt;
      for (const char c : part)
        if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (slash == std::string_view::npos) break;
      rest.remove_prefix(slash + 1);
    }
    return std::string(line);
  }
  return std::nullopt;
}

std::optional<int> parseMaxcpus(std::string_view cmdline) {
  constexpr std::string_view kBlanks = " \t\r\n";
  constexpr std::string_view kWord = "maxcpus=";
  std::optional<int> found;
  while (!cmdline.empty()) {
    const auto start = cmdline.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) break;
    cmdline.remove_prefix(start);
    const std::string_view word = cmdline.substr(0, cmdline.find_first_of(kBlanks));
    cmdline.remove_prefix(word.size());
    if (!word.starts_with(kWord)) continue;
    const auto value = digits(word.substr(kWord.size()));
    if (value && *value < static_cast<std::uint64_t>(kMaxLogicalProcessors)) found = static_cast<int>(*value);
  }
  return found;
}

MachineState readLinuxMachineState(const FileTree& files, const Cpuid& cpuid) {
  MachineState state;
  const std::string cpu(kCpuFolder);
  if (const auto control = readSmallFile(files, cpu + "smt/control", kValueBytes))
    state.smt = parseSmtControl(*control);
  state.online = readCpuList(files, cpu + "online");
  state.offline = readCpuList(files, cpu + "offline");
  state.present = readCpuList(files, cpu + "present");
  state.possible = readCpuList(files, cpu + "possible");
  if (const auto cmdline = readSmallFile(files, "proc/cmdline", kCmdlineBytes)) state.maxcpus = parseMaxcpus(*cmdline);
  readCgroup(files, state);
  state.hypervisor = readHypervisorCpuid(cpuid);
  state.hypervisorType = readName(files, "sys/hypervisor/type");
  state.dmiVendor = readName(files, "sys/class/dmi/id/sys_vendor");
  state.dmiProduct = readName(files, "sys/class/dmi/id/product_name");
  state.wsl = readName(files, "proc/sys/kernel/osrelease").find("WSL") != std::string::npos;
  readTurbo(files, state);
  readLimit(files, state);
  return state;
}

MachineState readWindowsMachineState(const Cpuid& cpuid) {
  MachineState state;
  state.hypervisor = readHypervisorCpuid(cpuid);
  return state;
}

}  // namespace wexmora::platform
