// Windows's processor records read from their bytes: machines as Windows
// describes them (threads of a core numbered side by side, processor groups
// of 64), and records whose sizes lie.
#include "platform/processor_information.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace wexmora::platform {
namespace {

using namespace processor_record;
constexpr std::uint64_t kKib = 1024, kMib = 1024 * 1024;

struct Mask {
  int group;
  std::uint64_t bits;
};

void put(std::string& record, std::size_t at, std::uint64_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) record[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string header(std::uint32_t relationship, std::size_t size) {
  std::string record(size, '\0');
  put(record, kRelationship, relationship, 4);
  put(record, kSize, size, 4);
  return record;
}

void putMasks(std::string& record, std::size_t at, const std::vector<Mask>& masks) {
  for (std::size_t i = 0; i < masks.size(); ++i) {
    put(record, at + i * kAffinitySize + kAffinityMask, masks[i].bits, 8);
    put(record, at + i * kAffinitySize + kAffinityGroup, static_cast<std::uint64_t>(masks[i].group), 2);
  }
}

// A core (relationship 0) or package (3) record.
std::string processorRecord(std::uint32_t relationship, const std::vector<Mask>& masks, bool smt = false) {
  std::string record = header(relationship, kProcessorGroupMasks + masks.size() * kAffinitySize);
  put(record, kProcessorFlags, smt, 1);
  put(record, kProcessorGroupCount, masks.size(), 2);
  putMasks(record, kProcessorGroupMasks, masks);
  return record;
}
std::string core(std::uint64_t bits, bool smt = false, int group = 0, int efficiencyClass = 0) {
  std::string record = processorRecord(0, {{group, bits}}, smt);
  put(record, kEfficiencyClass, static_cast<std::uint64_t>(efficiencyClass), 1);
  return record;
}
std::string package(const std::vector<Mask>& masks) { return processorRecord(3, masks); }

// A cache record; `groupCount` 0 is how Windows 10 writes one mask.
std::string cache(int level, std::uint32_t type, std::uint64_t bytes, const std::vector<Mask>& masks,
                  std::size_t groupCount = 0) {
  std::string record = header(2, kCacheGroupMasks + masks.size() * kAffinitySize);
  put(record, kCacheLevel, static_cast<std::uint64_t>(level), 1);
  put(record, kCacheSize, bytes, 4);
  put(record, kCacheType, type, 4);
  put(record, kCacheGroupCount, groupCount, 2);
  putMasks(record, kCacheGroupMasks, masks);
  return record;
}
// The eight bytes of a record's head that claims `size` bytes.
std::string claiming(std::uint32_t relationship, std::uint64_t size) {
  std::string head(8, '\0');
  put(head, kRelationship, relationship, 4);
  put(head, kSize, size, 4);
  return head;
}

constexpr std::uint32_t kUnified = 0, kInstruction = 1, kData = 2, kTrace = 3;

// Core i7-4770: four cores of two threads, numbered side by side.
std::string haswellDesktop() {
  std::string bytes;
  for (int c = 0; c < 4; ++c) {
    const std::uint64_t pair = 3ull << (2 * c);
    bytes += core(pair, true);
    bytes += cache(1, kData, 32 * kKib, {{0, pair}});
    bytes += cache(1, kInstruction, 32 * kKib, {{0, pair}});
    bytes += cache(2, kUnified, 256 * kKib, {{0, pair}});
  }
  bytes += cache(3, kUnified, 8 * kMib, {{0, 0xFF}});
  bytes += package({{0, 0xFF}});
  bytes += header(4, 80);  // a group record, not read
  return bytes;
}

// Threadripper 3990X: 64 cores of two threads in two processor groups of 64,
// an L3 for every four cores; the package record names both groups.
std::string threadripper() {
  std::string bytes;
  for (int group = 0; group < 2; ++group) {
    for (int c = 0; c < 32; ++c) bytes += core(3ull << (2 * c), true, group);
    for (int c = 0; c < 32; ++c) bytes += cache(2, kUnified, 512 * kKib, {{group, 3ull << (2 * c)}});
    for (int x = 0; x < 8; ++x) bytes += cache(3, kUnified, 16 * kMib, {{group, 0xFFull << (8 * x)}});
  }
  bytes += package({{0, ~0ull}, {1, ~0ull}});
  return bytes;
}

// Two Xeon packages of four cores without hyper-threading.
std::string twoXeons() {
  std::string bytes;
  for (int c = 0; c < 8; ++c) bytes += core(1ull << c) + cache(2, kUnified, 1 * kMib, {{0, 1ull << c}});
  bytes += cache(3, kUnified, 11 * kMib / 2, {{0, 0x0F}}) + cache(3, kUnified, 11 * kMib / 2, {{0, 0xF0}});
  bytes += package({{0, 0x0F}}) + package({{0, 0xF0}});
  return bytes;
}

MachineFacts summary(const std::string& bytes, bool modulesAsCores = false) {
  MachineFacts facts;
  summarise(parseProcessorInformation(bytes), modulesAsCores, facts);
  return facts;
}

struct RecordCase {
  const char* name;
  std::string bytes;
  int packages, cores, threads;
  std::optional<std::uint64_t> l2, l3;
};

// clang-format off
const RecordCase kCases[] = {
  // name                                               bytes                                                   pkgs cores threads L2            L3
  {"Core i7-4770",                                      haswellDesktop(),                                       1,   4,    8,      1 * kMib,     8 * kMib},
  {"Threadripper 3990X in two processor groups",        threadripper(),                                         1,   64,   128,    32 * kMib,    256 * kMib},
  {"two Xeon packages",                                 twoXeons(),                                             2,   4,    4,      4 * kMib,     11 * kMib / 2},
  {"no records",                                        "",                                                     0,   0,    0,      std::nullopt, std::nullopt},
  {"a core and caches but no package",                  core(3, true) + cache(2, kUnified, kMib, {{0, 3}}),     0,   0,    0,      std::nullopt, std::nullopt},
  {"a package without core records: cores unknown",     package({{0, 0xF}}),                                    1,   0,    4,      std::nullopt, std::nullopt},
  {"a record of size 0 ends the list",                  claiming(0, 0) + haswellDesktop()  ,                        0,   0,    0,      std::nullopt, std::nullopt},
  {"a record longer than the rest ends the list",       package({{0, 1}}) + claiming(3, 4096) + package({{0, 2}}), 1,  0,    1,      std::nullopt, std::nullopt},
  {"bytes after the last record",                       package({{0, 1}}) + std::string(7, '\xff'),             1,   0,    1,      std::nullopt, std::nullopt},
  {"instruction and trace caches",                      package({{0, 1}}) + cache(2, kInstruction, kMib, {{0, 1}}) + cache(3, kTrace, kMib, {{0, 1}}),
                                                                                                                1,   0,    1,      std::nullopt, std::nullopt},
  {"a data L2 counts",                                  package({{0, 1}}) + cache(2, kData, kMib, {{0, 1}}),    1,   0,    1,      1 * kMib,     std::nullopt},
  {"a cache in Windows 11's form with two groups",      package({{0, 1}, {1, 1}}) + cache(3, kUnified, kMib, {{0, 1}, {1, 1}}, 2),
                                                                                                                1,   0,    2,      std::nullopt, 1 * kMib},
  {"a group past the last processor number",            package({{128, 1}, {0, 1}}),                            1,   0,    1,      std::nullopt, std::nullopt},
};
// clang-format on

TEST(ProcessorInformation, ReadsMachinesAndSurvivesLyingSizes) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const MachineFacts facts = summary(c.bytes);
    EXPECT_EQ(facts.packages, c.packages);
    EXPECT_EQ(facts.cores, c.cores);
    EXPECT_EQ(facts.threads, c.threads);
    EXPECT_EQ(facts.l2Bytes, c.l2);
    EXPECT_EQ(facts.l3Bytes, c.l3);
  }
}

TEST(ProcessorInformation, RefusesMasksThatDoNotFitTheirRecord) {
  std::string lying = package({{0, 0xF}});
  put(lying, kProcessorGroupCount, 0xFFFF, 2);
  std::string cacheLying = cache(3, kUnified, kMib, {{0, 0xF}});
  put(cacheLying, kCacheGroupCount, 2, 2);
  const Topology topology = parseProcessorInformation(package({{0, 1}}) + lying + cacheLying);
  ASSERT_EQ(topology.processors.size(), 1u);
  EXPECT_TRUE(topology.caches.empty());
}

TEST(ProcessorInformation, NumbersProcessorsByGroup) {
  const Topology topology = parseProcessorInformation(package({{2, 1ull << 63}, {0, 1}}) + core(1ull << 63, false, 2));
  ASSERT_EQ(topology.processors.size(), 2u);
  EXPECT_EQ(topology.processors[0].id, 0);
  EXPECT_FALSE(topology.processors[0].core);
  EXPECT_EQ(topology.processors[1].id, 2 * 64 + 63);
  EXPECT_EQ(topology.processors[1].core, 0);
}

// Core Ultra 7 155H as Windows 11 describes it: six performance cores of two
// threads (class 2), eight efficient cores (class 1) and two low-power ones
// (class 0); i7-12700H: classes 1 and 0 only.
std::string hybrid(int performance, int efficient, int lowPower, bool threeClasses) {
  std::string bytes;
  int next = 0;
  const auto add = [&](int count, bool smt, int efficiencyClass) {
    for (int c = 0; c < count; ++c, next += smt ? 2 : 1)
      bytes += core((smt ? 3ull : 1ull) << next, smt, 0, efficiencyClass);
  };
  add(performance, true, threeClasses ? 2 : 1);
  add(efficient, false, threeClasses ? 1 : 0);
  add(lowPower, false, 0);
  return bytes + package({{0, (1ull << next) - 1}});
}

std::string fourClasses() {
  std::string bytes;
  for (int c = 0; c < 4; ++c) bytes += core(1ull << c, false, 0, c);
  return bytes + package({{0, 0xF}});
}

TEST(ProcessorInformation, CountsTheKindsOfCoreByEfficiencyClass) {
  struct KindCase {
    const char* name;
    std::string bytes;
    int performance, efficient, lowPower;
  };
  // clang-format off
  const KindCase cases[] = {
    {"Core Ultra 7 155H: three classes",       hybrid(6, 8, 2, true),                  6, 8, 2},
    {"Core i7-12700H: two classes",            hybrid(6, 8, 0, false),                 6, 8, 0},
    {"a processor of one class is no hybrid",  hybrid(4, 0, 0, false),                 0, 0, 0},
    {"four classes: no kinds the program knows", fourClasses(),                     0, 0, 0},
  };
  // clang-format on
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MachineFacts facts = summary(c.bytes);
    EXPECT_EQ(facts.performanceCores, c.performance);
    EXPECT_EQ(facts.efficientCores, c.efficient);
    EXPECT_EQ(facts.lowPowerCores, c.lowPower);
  }
  EXPECT_EQ(summary(hybrid(6, 8, 2, true)).cores, 16);
  EXPECT_EQ(summary(hybrid(6, 8, 2, true)).threads, 22);
}

TEST(ProcessorInformation, CountsModulesAsCoresWhenAsked) {
  // FX-8350 on Windows: four modules shown as cores of two threads.
  std::string bytes;
  for (int m = 0; m < 4; ++m) bytes += core(3ull << (2 * m), true);
  bytes += package({{0, 0xFF}});
  EXPECT_EQ(summary(bytes, false).cores, 4);
  EXPECT_EQ(summary(bytes, true).cores, 8);
}

}  // namespace
}  // namespace wexmora::platform
