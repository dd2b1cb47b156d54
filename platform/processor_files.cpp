#include "platform/processor_files.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

#include "base/decimal.h"
#include "base/trim.h"
#include "platform/cpu_features.h"
#include "platform/cpuinfo.h"
#include "platform/processor_topology.h"

namespace wexmora::platform {
namespace {

// How much of each file is read. /proc/cpuinfo takes about 1.5 KiB per
// logical processor; only its first block must be whole. A value file longer
// than its limit is not believed.
constexpr std::size_t kCpuinfoBytes = 2 * 1024 * 1024;
constexpr std::size_t kValueBytes = 64;
constexpr std::size_t kListBytes = 64 * 1024;
// Linux numbers a processor's caches index0, index1, ... without gaps.
constexpr int kMaxCacheIndexes = 16;
// The clocks believed, in kHz as cpufreq writes them.
constexpr long kMinKhz = 1'000, kMaxKhz = 100'000'000;
constexpr std::string_view kLineBlanks = " \t\r\n";
constexpr std::string_view kCpuFolder = "sys/devices/system/cpu/";

std::optional<std::vector<int>> readList(const FileTree& files, const std::string& path) {
  const auto text = readSmallFile(files, path, kListBytes);
  if (!text) return std::nullopt;
  return parseCpuList(*text, kMaxLogicalProcessors);
}

// What /proc/cpuinfo adds: the first block's maker, family and flags, and
// every block's package and core, for a system without the topology folders.
struct CpuinfoBlock {
  std::optional<long> physicalId, coreId;
};
struct CpuinfoFacts {
  Vendor vendor = Vendor::Other;
  std::optional<long> family;
  FeatureFlags flags;
  std::map<int, CpuinfoBlock> blocks;  // by "processor" number
};

CpuinfoFacts parseCpuinfoFacts(std::string_view text) {
  CpuinfoFacts facts;
  int block = -1;  // the block whose package and core are being read
  std::optional<long> processor;
  CpuinfoBlock current;
  const auto endBlock = [&] {
    if (processor && *processor >= 0 && *processor < kMaxLogicalProcessors)
      facts.blocks.try_emplace(static_cast<int>(*processor), current);
    processor.reset();
    current = {};
  };
  forEachCpuinfoField(text, [&](const CpuinfoField& field) {
    if (field.block != block) {
      if (block >= 0) endBlock();
      block = field.block;
    }
    const auto value = base::trim(field.value, kCpuinfoBlanks);
    if (field.name == "processor" && !processor) processor = base::parseDecimal(value);
    if (field.name == "physical id" && !current.physicalId) current.physicalId = base::parseDecimal(value);
    if (field.name == "core id" && !current.coreId) current.coreId = base::parseDecimal(value);
    if (field.block != 0) return true;
    if (field.name == "vendor_id") facts.vendor = vendorOf(value);
    if (field.name == "cpu family" && !facts.family) facts.family = base::parseDecimal(value);
    if (field.name == "flags" || field.name == "vmx flags") addTechnologyFlags(value, facts.flags);
    return true;
  });
  if (block >= 0) endBlock();
  return facts;
}

std::string cpuFolder(int id) { return std::string(kCpuFolder) + "cpu" + std::to_string(id) + "/"; }

// The logical processors with their packages and cores: the topology folder
// first, the blocks of /proc/cpuinfo where it says nothing.
std::vector<LogicalProcessor> readProcessors(const FileTree& files, const std::vector<int>& online,
                                             const CpuinfoFacts& cpuinfo) {
  std::vector<LogicalProcessor> processors;
  std::map<std::tuple<long, long, long>, long long> coreKeys;  // (package, die, core) -> key
  for (const int id : online) {
    const std::string topology = cpuFolder(id) + "topology/";
    auto package = readSmallNumber(files, topology + "physical_package_id");
    auto core = readSmallNumber(files, topology + "core_id");
    auto die = readSmallNumber(files, topology + "die_id");
    if (const auto block = cpuinfo.blocks.find(id); block != cpuinfo.blocks.end()) {
      if (!package) package = block->second.physicalId;
      if (!core) {
        core = block->second.coreId;
        die.reset();  // a die from the topology folder does not go with a core from cpuinfo
      }
    }
    LogicalProcessor processor{id, package.value_or(0), std::nullopt};
    if (core) {
      const auto key = std::make_tuple(processor.package, die.value_or(0), *core);
      processor.core = coreKeys.try_emplace(key, static_cast<long long>(coreKeys.size())).first->second;
    }
    processors.push_back(processor);
  }
  return processors;
}

// The level-2 and level-3 caches, each instance read once: a processor whose
// caches of every level seen so far are known from a sibling is skipped.
std::vector<CacheInstance> readCaches(const FileTree& files, const std::vector<int>& online) {
  std::vector<CacheInstance> caches;
  std::set<std::pair<int, std::vector<int>>> seen;
  std::vector<bool> covered[2] = {std::vector<bool>(kMaxLogicalProcessors), std::vector<bool>(kMaxLogicalProcessors)};
  bool anyLevel3 = false;
  for (const int id : online) {
    if (covered[0][id] && (!anyLevel3 || covered[1][id])) continue;
    for (int index = 0; index < kMaxCacheIndexes; ++index) {
      const std::string folder = cpuFolder(id) + "cache/index" + std::to_string(index) + "/";
      const auto level = readSmallNumber(files, folder + "level");
      if (!level) break;
      if (*level != 2 && *level != 3) continue;
      const auto type = readSmallFile(files, folder + "type", kValueBytes);
      if (!type || base::trim(*type, kLineBlanks) == "Instruction") continue;
      auto sharing = readList(files, folder + "shared_cpu_list");
      if (!sharing || !std::binary_search(sharing->begin(), sharing->end(), id)) continue;
      if (seen.contains({static_cast<int>(*level), *sharing})) continue;
      const auto size = readSmallFile(files, folder + "size", kValueBytes);
      const auto bytes = size ? parseCacheSize(*size) : std::nullopt;
      if (!bytes) continue;
      const int level3 = *level == 3;
      for (const int other : *sharing) covered[level3][other] = true;
      anyLevel3 = anyLevel3 || level3;
      seen.emplace(static_cast<int>(*level), *sharing);
      caches.push_back({static_cast<int>(*level), *bytes, std::move(*sharing)});
    }
  }
  return caches;
}

// A hybrid's kinds of core: Linux lists the processors of its performance
// cores under the cpu_core device and those of its efficient cores under
// cpu_atom; an efficient core outside every level-3 cache (Meteor Lake's
// cores on the SoC tile) is a low-power one.
void markCoreKinds(const FileTree& files, Topology& topology) {
  const auto performance = readList(files, "sys/devices/cpu_core/cpus");
  const auto efficient = readList(files, "sys/devices/cpu_atom/cpus");
  if (!performance || !efficient || performance->empty() || efficient->empty()) return;
  std::set<int> underL3;
  for (const auto& cache : topology.caches)
    if (cache.level == 3) underL3.insert(cache.processors.begin(), cache.processors.end());
  for (auto& processor : topology.processors) {
    if (std::binary_search(performance->begin(), performance->end(), processor.id))
      processor.kind = CoreKind::Performance;
    else if (std::binary_search(efficient->begin(), efficient->end(), processor.id))
      processor.kind = !underL3.empty() && !underL3.contains(processor.id) ? CoreKind::LowPower : CoreKind::Efficient;
  }
}

// The highest cpufreq limit of the online processors, one thread per core.
int readMaxMhz(const FileTree& files, const std::vector<LogicalProcessor>& processors) {
  long maxKhz = 0;
  std::set<long long> coresRead;
  for (const auto& processor : processors) {
    if (processor.core && !coresRead.insert(*processor.core).second) continue;
    const auto khz = readSmallNumber(files, cpuFolder(processor.id) + "cpufreq/cpuinfo_max_freq");
    if (khz && *khz >= kMinKhz && *khz <= kMaxKhz) maxKhz = std::max(maxKhz, *khz);
  }
  return static_cast<int>((maxKhz + 500) / 1000);
}

struct Range {
  long first, last;
};

}  // namespace

std::optional<std::string> readSmallFile(const FileTree& files, const std::string& path, std::size_t limit) {
  auto text = files.read(path, limit);
  if (!text || text->size() >= limit) return std::nullopt;
  return text;
}

std::optional<long> readSmallNumber(const FileTree& files, const std::string& path) {
  const auto text = readSmallFile(files, path, kValueBytes);
  if (!text) return std::nullopt;
  return base::parseDecimal(base::trim(*text, kLineBlanks));
}

std::optional<std::string> DirectoryTree::read(const std::string& path, std::size_t maxBytes) const {
  const std::filesystem::path file = root_ / std::filesystem::path(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error) || error) return std::nullopt;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(file.string().c_str(), "rb"), &std::fclose);
  if (!stream) return std::nullopt;
  // The files are mostly a few bytes long (and claim 4 KiB): the buffer
  // grows as they are read, up to the limit.
  std::string text;
  std::size_t size = 0;
  while (size < maxBytes) {
    text.resize(std::min(maxBytes, std::max<std::size_t>(size * 2, 256)));
    const std::size_t got = std::fread(text.data() + size, 1, text.size() - size, stream.get());
    size += got;
    if (got == 0 || size < text.size()) break;
  }
  if (std::ferror(stream.get())) return std::nullopt;
  text.resize(size);
  return text;
}

std::optional<std::vector<int>> parseCpuList(std::string_view text, int limit) {
  text = base::trim(text, kLineBlanks);
  std::vector<Range> ranges;
  // A number below `limit`: digits only, read no further than needed.
  const auto number = [&](std::string_view& rest) -> std::optional<long> {
    std::size_t digits = 0;
    long value = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
      value = value * 10 + (rest[digits] - '0');
      if (value >= limit) return std::nullopt;
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    rest.remove_prefix(digits);
    return value;
  };
  while (!text.empty()) {
    const auto first = number(text);
    if (!first) return std::nullopt;
    long last = *first;
    if (!text.empty() && text.front() == '-') {
      text.remove_prefix(1);
      const auto end = number(text);
      if (!end || *end < *first) return std::nullopt;
      last = *end;
    }
    ranges.push_back({*first, last});
    if (text.empty()) break;
    if (text.front() != ',' || text.size() == 1) return std::nullopt;
    text.remove_prefix(1);
  }
  // Overlapping ranges are merged before they are spelt out, so that a
  // list of the same long range many times over costs no more than one.
  std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.first < b.first; });
  std::vector<int> ids;
  long next = 0;  // the lowest number not yet written
  for (const auto& range : ranges) {
    for (long id = std::max(range.first, next); id <= range.last; ++id) ids.push_back(static_cast<int>(id));
    next = std::max(next, range.last + 1);
  }
  return ids;
}

std::optional<std::uint64_t> parseCacheSize(std::string_view text) {
  constexpr std::uint64_t kMaxBytes = std::uint64_t{1} << 40;
  text = base::trim(text, kLineBlanks);
  std::uint64_t value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + static_cast<std::uint64_t>(text[digits] - '0');
    if (value > kMaxBytes) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  const auto unit = text.substr(digits);
  std::uint64_t scale = 1;
  if (unit == "K")
    scale = std::uint64_t{1} << 10;
  else if (unit == "M")
    scale = std::uint64_t{1} << 20;
  else if (unit == "G")
    scale = std::uint64_t{1} << 30;
  else if (!unit.empty())
    return std::nullopt;
  if (value == 0 || value > kMaxBytes / scale) return std::nullopt;
  return value * scale;
}

MachineFacts readLinuxMachineFacts(const FileTree& files) {
  const auto cpuinfoText = files.read("proc/cpuinfo", kCpuinfoBytes);
  const CpuinfoFacts cpuinfo = parseCpuinfoFacts(cpuinfoText.value_or(""));

  auto online = readList(files, std::string(kCpuFolder) + "online");
  if (!online) {
    online.emplace();
    for (const auto& [id, block] : cpuinfo.blocks) online->push_back(id);
  }

  Topology topology;
  topology.processors = readProcessors(files, *online, cpuinfo);
  topology.caches = readCaches(files, *online);
  markCoreKinds(files, topology);
  MachineFacts facts;
  // A module of AMD's family 21 (FX and its kin) holds two cores, which
  // Linux shows as two threads of one core.
  summarise(topology, cpuinfo.vendor == Vendor::Amd && cpuinfo.family == 21, facts);
  facts.maxMhz = readMaxMhz(files, topology.processors);
  facts.technologies = technologyNames(cpuinfo.vendor, cpuinfo.flags, facts.cores > 0 && facts.threads > facts.cores);
  return facts;
}

}  // namespace wexmora::platform
