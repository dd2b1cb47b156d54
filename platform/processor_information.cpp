#include "platform/processor_information.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace wexmora::platform {
namespace {

using namespace processor_record;

enum Relationship : std::uint32_t { kCore = 0, kCache = 2, kPackage = 3 };
enum CacheType : std::uint32_t { kUnified = 0, kInstruction = 1, kData = 2, kTrace = 3 };

// A little-endian number of `size` bytes at `at`; the caller has checked that they exist.
std::uint64_t number(std::string_view record, std::size_t at, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(record[at + i]);
  return value;
}

// The processors of `count` group masks from `at`; nothing when they do not
// fit the record.
std::optional<std::vector<int>> maskedProcessors(std::string_view record, std::size_t at, std::size_t count) {
  if (at > record.size() || count > (record.size() - at) / kAffinitySize) return std::nullopt;
  std::vector<int> processors;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t affinity = at + i * kAffinitySize;
    const std::uint64_t mask = number(record, affinity + kAffinityMask, 8);
    const auto group = static_cast<int>(number(record, affinity + kAffinityGroup, 2));
    if (group >= kMaxLogicalProcessors / kProcessorsPerGroup) continue;
    for (int bit = 0; bit < kProcessorsPerGroup; ++bit)
      if (mask >> bit & 1) processors.push_back(group * kProcessorsPerGroup + bit);
  }
  return processors;
}

std::optional<std::vector<int>> processorsOf(std::string_view record) {
  if (record.size() < kProcessorGroupMasks) return std::nullopt;
  return maskedProcessors(record, kProcessorGroupMasks, number(record, kProcessorGroupCount, 2));
}

}  // namespace

Topology parseProcessorInformation(std::string_view bytes) {
  std::vector<std::vector<int>> cores, packages;
  std::vector<int> coreClasses;  // each core's efficiency class
  Topology topology;
  while (bytes.size() >= kProcessorFlags) {
    const auto relationship = number(bytes, kRelationship, 4);
    const auto size = number(bytes, kSize, 4);
    if (size < kProcessorFlags || size > bytes.size()) break;  // a record that does not fit ends the list
    const std::string_view record = bytes.substr(0, size);
    bytes.remove_prefix(size);
    if (relationship == kCore || relationship == kPackage) {
      if (auto processors = processorsOf(record)) {
        (relationship == kCore ? cores : packages).push_back(std::move(*processors));
        if (relationship == kCore) coreClasses.push_back(static_cast<int>(number(record, kEfficiencyClass, 1)));
      }
    } else if (relationship == kCache && record.size() >= kCacheGroupMasks) {
      const auto type = number(record, kCacheType, 4);
      if (type != kUnified && type != kData) continue;
      const auto count = number(record, kCacheGroupCount, 2);
      auto processors = maskedProcessors(record, kCacheGroupMasks, count == 0 ? 1 : count);
      if (!processors) continue;
      topology.caches.push_back(
          {static_cast<int>(number(record, kCacheLevel, 1)), number(record, kCacheSize, 4), std::move(*processors)});
    }
  }

  std::map<int, LogicalProcessor> processors;
  for (std::size_t package = 0; package < packages.size(); ++package)
    for (const int id : packages[package])
      processors.try_emplace(id, LogicalProcessor{id, static_cast<long>(package), std::nullopt});
  // The classes, highest first, name the kinds: performance, efficient, low-power efficient.
  std::vector<int> classes(coreClasses);
  std::sort(classes.begin(), classes.end(), std::greater<>());
  classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
  const auto kindOf = [&classes](int efficiencyClass) {
    if (classes.size() < 2 || classes.size() > 3) return CoreKind::Unknown;
    const auto rank = std::find(classes.begin(), classes.end(), efficiencyClass) - classes.begin();
    return rank == 0 ? CoreKind::Performance : rank == 1 ? CoreKind::Efficient : CoreKind::LowPower;
  };
  for (std::size_t core = 0; core < cores.size(); ++core)
    for (const int id : cores[core])
      if (auto it = processors.find(id); it != processors.end() && !it->second.core) {
        it->second.core = static_cast<long long>(core);
        it->second.kind = kindOf(coreClasses[core]);
      }
  for (const auto& [id, processor] : processors) topology.processors.push_back(processor);
  return topology;
}

}  // namespace wexmora::platform
