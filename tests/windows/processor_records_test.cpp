// The byte offsets the portable reader of Windows's processor records uses,
// against the system headers' own structures, and records written through
// those structures read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/processor_information.h"

namespace wexmora::platform {
namespace {

using namespace processor_record;
using Record = SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX;

// The headers of MinGW-w64 predate the cache record's GroupCount, which
// Windows 11 puts in the last two reserved bytes before the mask.
static_assert(offsetof(Record, Relationship) == kRelationship);
static_assert(offsetof(Record, Size) == kSize);
static_assert(offsetof(Record, Processor.Flags) == kProcessorFlags);
static_assert(offsetof(Record, Processor.GroupCount) == kProcessorGroupCount);
static_assert(offsetof(Record, Processor.GroupMask) == kProcessorGroupMasks);
static_assert(offsetof(Record, Cache.Level) == kCacheLevel);
static_assert(offsetof(Record, Cache.CacheSize) == kCacheSize);
static_assert(offsetof(Record, Cache.Type) == kCacheType);
static_assert(offsetof(Record, Cache.GroupMask) - sizeof(WORD) == kCacheGroupCount);
static_assert(offsetof(Record, Cache.GroupMask) == kCacheGroupMasks);
static_assert(sizeof(GROUP_AFFINITY) == kAffinitySize);
static_assert(offsetof(GROUP_AFFINITY, Mask) == kAffinityMask);
static_assert(offsetof(GROUP_AFFINITY, Group) == kAffinityGroup);
static_assert(sizeof(KAFFINITY) * 8 == kProcessorsPerGroup);

// One record written through the headers' structure.
std::string bytesOf(const Record& record) { return std::string(reinterpret_cast<const char*>(&record), record.Size); }

Record processorRecord(LOGICAL_PROCESSOR_RELATIONSHIP relationship, KAFFINITY mask, WORD group, bool smt) {
  Record record{};
  record.Relationship = relationship;
  record.Size = offsetof(Record, Processor.GroupMask) + sizeof(GROUP_AFFINITY);
  record.Processor.Flags = smt ? LTP_PC_SMT : 0;
  record.Processor.GroupCount = 1;
  record.Processor.GroupMask[0].Mask = mask;
  record.Processor.GroupMask[0].Group = group;
  return record;
}

Record cacheRecord(BYTE level, PROCESSOR_CACHE_TYPE type, DWORD size, KAFFINITY mask) {
  Record record{};
  record.Relationship = RelationCache;
  record.Size = sizeof(Record);
  record.Cache.Level = level;
  record.Cache.Type = type;
  record.Cache.CacheSize = size;
  record.Cache.GroupMask.Mask = mask;
  return record;
}

TEST(ProcessorRecords, ReadsRecordsWrittenThroughTheSystemStructures) {
  // Core i3-8100 class: two cores of two threads, 256 KiB L2 each, 6 MiB L3;
  // a group record and a NUMA record in between, as Windows lists them.
  std::string bytes;
  Record other{};
  other.Relationship = RelationNumaNode;
  other.Size = sizeof(Record);
  for (int core = 0; core < 2; ++core) {
    const KAFFINITY pair = KAFFINITY{3} << (2 * core);
    bytes += bytesOf(processorRecord(RelationProcessorCore, pair, 0, true));
    bytes += bytesOf(cacheRecord(1, CacheData, 32 * 1024, pair));
    bytes += bytesOf(cacheRecord(1, CacheInstruction, 32 * 1024, pair));
    bytes += bytesOf(cacheRecord(2, CacheUnified, 256 * 1024, pair));
  }
  bytes += bytesOf(other);
  bytes += bytesOf(cacheRecord(3, CacheUnified, 6 * 1024 * 1024, 0xF));
  bytes += bytesOf(processorRecord(RelationProcessorPackage, 0xF, 0, false));

  MachineFacts facts;
  summarise(parseProcessorInformation(bytes), false, facts);
  EXPECT_EQ(facts.packages, 1);
  EXPECT_EQ(facts.cores, 2);
  EXPECT_EQ(facts.threads, 4);
  EXPECT_EQ(facts.l2Bytes, 512u * 1024);
  EXPECT_EQ(facts.l3Bytes, 6u * 1024 * 1024);
}

TEST(ProcessorRecords, NumbersProcessorsOfTheSecondGroupFrom64) {
  const std::string bytes = bytesOf(processorRecord(RelationProcessorCore, 1, 1, false)) +
                            bytesOf(processorRecord(RelationProcessorPackage, 1, 1, false));
  const Topology topology = parseProcessorInformation(bytes);
  ASSERT_EQ(topology.processors.size(), 1u);
  EXPECT_EQ(topology.processors[0].id, 64);
  EXPECT_EQ(topology.processors[0].core, 0);
}

}  // namespace
}  // namespace wexmora::platform
