#pragma once
// The registry as the program uses it: text values read with their types
// checked, and the per-user settings key of string values.
#include <windows.h>

#include <string>

#include "platform/settings_store.h"

namespace wexmora::platform {

// The text of value `name` under root\subkey, read the way the processor
// readers always have: "???" when the key does not exist, "" when the value
// is missing or empty, the text up to its terminator otherwise. A value of
// any type but REG_SZ or REG_EXPAND_SZ throws std::runtime_error
// "Invalid data type for '<name>'".
std::string readRegistryText(HKEY root, const std::wstring& subkey, const std::string& name);

// String values of one key under HKEY_CURRENT_USER (SOFTWARE\Wex_mora for the
// program). The key is opened and closed within each operation; values are
// written as REG_SZ. A value stored with another type reads as missing, like
// a damaged settings file on Linux, so that it never stops the start-up.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::wstring subkey = L"SOFTWARE\\Wex_mora") : subkey_(std::move(subkey)) {}
  std::optional<std::string> read(const std::string& name) override;
  void write(const std::string& name, const std::string& value) override;

 private:
  std::wstring subkey_;
};

}  // namespace wexmora::platform
