#pragma once
// The machine's logical processors, which core and package each belongs to,
// and the caches they share, as either system describes them; and the one
// reading of that into the figures of one processor.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/machine_facts.h"

namespace wexmora::platform {

// No system numbers more logical processors than this (Linux's largest
// build); a description beyond it is not believed.
inline constexpr int kMaxLogicalProcessors = 8192;

// The kind of core a logical processor belongs to on a hybrid processor.
enum class CoreKind { Unknown, Performance, Efficient, LowPower };

struct LogicalProcessor {
  int id = 0;                     // 0 to kMaxLogicalProcessors - 1
  long package = 0;               // as the system numbers packages
  std::optional<long long> core;  // the same for all threads of a core, within the machine
  CoreKind kind = CoreKind::Unknown;
};

struct CacheInstance {
  int level = 0;  // data and unified caches only
  std::uint64_t bytes = 0;
  std::vector<int> processors;  // logical processors that share it
};

struct Topology {
  std::vector<LogicalProcessor> processors;  // online ones, each id once
  std::vector<CacheInstance> caches;         // an instance may be listed more than once
};

// Fills packages, cores, threads, l2Bytes and l3Bytes of `facts` with the
// figures of the package that has the most online threads (the lowest such
// package number on a tie). `modulesAsCores`: the system shows a module of two
// cores as one core with two threads (AMD family 21), and each thread is
// counted as a core. Cores stay 0 when a processor of that package has no
// core, a cache level stays unknown when no instance of it belongs to the
// package (an instance belongs to the package of its lowest processor). The
// cores of each kind are counted where processors of two kinds or more are.
void summarise(const Topology& topology, bool modulesAsCores, MachineFacts& facts);

}  // namespace wexmora::platform
