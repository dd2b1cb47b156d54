#include "platform/processor_topology.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <utility>

namespace wexmora::platform {
namespace {

struct PackageFigures {
  int threads = 0;
  std::set<long long> cores;
  std::set<long long> coresOf[4];  // by CoreKind
  bool coreMissing = false;
};

void addBytes(std::optional<std::uint64_t>& total, std::uint64_t bytes) {
  const std::uint64_t sum = total.value_or(0);
  total =
      bytes > std::numeric_limits<std::uint64_t>::max() - sum ? std::numeric_limits<std::uint64_t>::max() : sum + bytes;
}

}  // namespace

void summarise(const Topology& topology, bool modulesAsCores, MachineFacts& facts) {
  std::map<int, long> packageOf;
  std::map<long, PackageFigures> packages;
  for (const auto& processor : topology.processors) {
    if (processor.id < 0 || processor.id >= kMaxLogicalProcessors) continue;
    if (!packageOf.emplace(processor.id, processor.package).second) continue;  // listed twice
    auto& figures = packages[processor.package];
    ++figures.threads;
    if (processor.core) {
      figures.cores.insert(*processor.core);
      figures.coresOf[static_cast<int>(processor.kind)].insert(*processor.core);
    } else {
      figures.coreMissing = true;
    }
  }
  if (packages.empty()) return;

  auto chosen = packages.begin();
  for (auto it = packages.begin(); it != packages.end(); ++it)
    if (it->second.threads > chosen->second.threads) chosen = it;
  const PackageFigures& figures = chosen->second;
  facts.packages = static_cast<int>(packages.size());
  facts.threads = figures.threads;
  if (modulesAsCores)
    facts.cores = figures.threads;
  else
    facts.cores = figures.coreMissing ? 0 : static_cast<int>(figures.cores.size());
  const auto kindCount = [&figures](CoreKind kind) {
    return static_cast<int>(figures.coresOf[static_cast<int>(kind)].size());
  };
  const int kinds = (kindCount(CoreKind::Performance) > 0) + (kindCount(CoreKind::Efficient) > 0) +
                    (kindCount(CoreKind::LowPower) > 0);
  if (!modulesAsCores && !figures.coreMissing && kinds >= 2 && kindCount(CoreKind::Unknown) == 0) {
    facts.performanceCores = kindCount(CoreKind::Performance);
    facts.efficientCores = kindCount(CoreKind::Efficient);
    facts.lowPowerCores = kindCount(CoreKind::LowPower);
  }

  std::set<std::pair<int, std::vector<int>>> seen;
  for (const auto& cache : topology.caches) {
    if ((cache.level != 2 && cache.level != 3) || cache.bytes == 0) continue;
    std::vector<int> sharing = cache.processors;
    std::sort(sharing.begin(), sharing.end());
    sharing.erase(std::unique(sharing.begin(), sharing.end()), sharing.end());
    const auto lowest = std::find_if(sharing.begin(), sharing.end(), [&](int id) { return packageOf.contains(id); });
    if (lowest == sharing.end() || packageOf.at(*lowest) != chosen->first) continue;
    if (!seen.emplace(cache.level, std::move(sharing)).second) continue;
    addBytes(cache.level == 2 ? facts.l2Bytes : facts.l3Bytes, cache.bytes);
  }
}

}  // namespace wexmora::platform
