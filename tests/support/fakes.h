#pragma once
// Test doubles of the platform interfaces that record what the code under
// test asked for, or fail on purpose.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "platform/sleeper.h"
#include "platform/url_opener.h"

namespace wexmora::testing {

// Records the waits instead of waiting.
class RecordingSleeper : public platform::Sleeper {
 public:
  void sleepMs(int milliseconds) override { waits.push_back(milliseconds); }
  std::vector<int> waits;
};

// Records the addresses instead of opening them.
class RecordingUrlOpener : public platform::UrlOpener {
 public:
  void open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

// An in-memory store whose writes can be made to fail, as a full disk or a
// locked registry would make them.
class FakeSettingsStore : public platform::MemorySettingsStore {
 public:
  void write(const std::string& name, const std::string& value) override {
    if (failWrites) throw std::runtime_error("Cannot write the setting " + name);
    MemorySettingsStore::write(name, value);
  }
  bool failWrites = false;
};

}  // namespace wexmora::testing
