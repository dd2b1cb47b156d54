#pragma once
// Test doubles for the machine's facts: a source that answers with fixed
// facts, and a tree of files held in memory that records what was read.
#include <map>
#include <string>
#include <vector>

#include "platform/linux_cpu_files.h"
#include "platform/machine_facts.h"

namespace wexmora::testing {

class FakeMachineFactsSource : public platform::MachineFactsSource {
 public:
  explicit FakeMachineFactsSource(platform::MachineFacts facts = {}) : facts(std::move(facts)) {}
  platform::MachineFacts read() const override {
    ++reads;
    return facts;
  }
  platform::MachineFacts facts;
  mutable int reads = 0;
};

// Files by path ("proc/cpuinfo", "sys/devices/system/cpu/online"...).
class MemoryFileTree : public platform::FileTree {
 public:
  MemoryFileTree() = default;
  explicit MemoryFileTree(std::map<std::string, std::string> files) : files(std::move(files)) {}
  std::optional<std::string> read(const std::string& path, std::size_t maxBytes) const override {
    reads.push_back(path);
    const auto file = files.find(path);
    if (file == files.end()) return std::nullopt;
    return file->second.substr(0, maxBytes);
  }
  std::map<std::string, std::string> files;
  mutable std::vector<std::string> reads;
};

}  // namespace wexmora::testing
