#pragma once
// The records Windows's GetLogicalProcessorInformationEx writes (one per
// core, cache, package, NUMA node and group), read from their bytes by the
// documented 64-bit layout. Portable code: tests and the fuzz targets hand
// it any bytes, and a record whose sizes do not fit ends the reading.
#include <cstddef>
#include <string_view>

#include "platform/processor_topology.h"

namespace wexmora::platform {

// Byte offsets within one record, from the start of the record.
namespace processor_record {
inline constexpr std::size_t kRelationship = 0;  // DWORD: 0 core, 2 cache, 3 package
inline constexpr std::size_t kSize = 4;          // DWORD: bytes of the whole record
// A core or package record (PROCESSOR_RELATIONSHIP).
inline constexpr std::size_t kProcessorFlags = 8;        // BYTE: 1 = the core runs two threads or more
inline constexpr std::size_t kEfficiencyClass = 9;       // BYTE: higher for faster cores (Windows 10 on)
inline constexpr std::size_t kProcessorGroupCount = 30;  // WORD
inline constexpr std::size_t kProcessorGroupMasks = 32;  // GROUP_AFFINITY[GroupCount]
// A cache record (CACHE_RELATIONSHIP).
inline constexpr std::size_t kCacheLevel = 8;        // BYTE
inline constexpr std::size_t kCacheSize = 12;        // DWORD, bytes
inline constexpr std::size_t kCacheType = 16;        // DWORD: 0 unified, 1 instruction, 2 data, 3 trace
inline constexpr std::size_t kCacheGroupCount = 38;  // WORD; 0 before Windows 11 means one mask
inline constexpr std::size_t kCacheGroupMasks = 40;  // GROUP_AFFINITY[GroupCount]
// GROUP_AFFINITY: a 64-bit mask of the group's processors, then the group.
inline constexpr std::size_t kAffinitySize = 16;
inline constexpr std::size_t kAffinityMask = 0;   // KAFFINITY (64 bits)
inline constexpr std::size_t kAffinityGroup = 8;  // WORD
inline constexpr int kProcessorsPerGroup = 64;
}  // namespace processor_record

// The logical processors (numbered group * 64 + bit), their cores and
// packages, and the data and unified caches of the records in `bytes`. A
// processor named by no package record stays out. Where the cores have two
// efficiency classes, the higher is the performance cores' and the lower the
// efficient cores'; where they have three, the lowest is the low-power
// efficient cores'.
Topology parseProcessorInformation(std::string_view bytes);

}  // namespace wexmora::platform
