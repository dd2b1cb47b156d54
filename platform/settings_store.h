#pragma once
// The per-user settings "SOFTWARE\Wex_mora": three string values, Languages,
// Site_Url and License. Registry values on Windows, a small key=value file in
// the XDG configuration directory on Linux.
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace wexmora::platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value, or nothing when it (or the whole store) is missing or unreadable.
  virtual std::optional<std::string> read(const std::string& name) = 0;
  // Stores the value; throws std::runtime_error with a message for the user
  // when it cannot be written. Never leaves a damaged store behind.
  virtual void write(const std::string& name, const std::string& value) = 0;
};

// Values held in memory only: wexmora-info's stored-language option and the
// render tool.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& name) override {
    const auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
  void write(const std::string& name, const std::string& value) override { values[name] = value; }
  std::map<std::string, std::string> values;
};

std::unique_ptr<SettingsStore> systemSettingsStore();

}  // namespace wexmora::platform
