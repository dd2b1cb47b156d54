#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/settings_store.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

constexpr const wchar_t* kSettingsKey = L"SOFTWARE\\Wex_mora";

std::string systemMessage(LSTATUS status) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring message = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(status);
  if (buffer) LocalFree(buffer);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
    message.pop_back();
  return narrow(message);
}

// HKEY_CURRENT_USER\SOFTWARE\Wex_mora, string values. A key is opened and
// closed within each operation. A value stored with a type other than a
// string reads as missing.
class RegistrySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& name) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    const std::wstring valueName = widen(name);
    std::optional<std::string> result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
      DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
              ERROR_SUCCESS &&
          (type == REG_SZ || type == REG_EXPAND_SZ)) {
        data.resize(bytes / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();  // stored with or without its terminator
        result = narrow(data);
      }
    }
    RegCloseKey(key);
    return result;
  }

  void write(const std::string& name, const std::string& value) override {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
      throw std::runtime_error("Cannot create the registry key HKEY_CURRENT_USER\\SOFTWARE\\Wex_mora: " +
                               systemMessage(status));
    const std::wstring valueName = widen(name);
    const std::wstring data = widen(value);
    status = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
      throw std::runtime_error("Cannot write the registry value HKEY_CURRENT_USER\\SOFTWARE\\Wex_mora\\" + name + ": " +
                               systemMessage(status));
  }
};

}  // namespace

std::unique_ptr<SettingsStore> systemSettingsStore() { return std::make_unique<RegistrySettingsStore>(); }

}  // namespace wexmora::platform
