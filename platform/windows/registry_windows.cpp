#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/processor_source.h"
#include "platform/windows/registry.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

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

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

struct RegistryValue {
  bool exists = false;
  DWORD type = REG_NONE;
  DWORD size = 0;     // bytes stored
  std::wstring text;  // for string values: the data up to its terminator
};

RegistryValue queryValue(HKEY key, const std::wstring& name) {
  RegistryValue value;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &value.size) != ERROR_SUCCESS) return value;
  value.exists = true;
  if (!isText(value.type) || value.size == 0) return value;
  // One spare character: the stored bytes may or may not end in a terminator.
  std::wstring data(value.size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
      ERROR_SUCCESS)
    return RegistryValue{};
  data.resize(bytes / sizeof(wchar_t));
  if (const auto end = data.find(L'\0'); end != std::wstring::npos) data.resize(end);
  value.text = std::move(data);
  return value;
}

// The value, read with the key opened and closed around it; nothing when the
// key cannot be opened.
std::optional<RegistryValue> readValue(HKEY root, const std::wstring& subkey, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  RegistryValue value = queryValue(key, widen(name));
  RegCloseKey(key);
  return value;
}

}  // namespace

std::string readRegistryText(HKEY root, const std::wstring& subkey, const std::string& name) {
  const std::optional<RegistryValue> value = readValue(root, subkey, name);
  if (!value) return kMissingKey;
  // The length is tested before the type: an empty value of any type is "".
  if (value->exists && value->size > 0 && !isText(value->type))
    throw std::runtime_error("Invalid data type for '" + name + "'");
  return narrow(value->text);
}

std::optional<std::string> RegistrySettingsStore::read(const std::string& name) {
  const std::optional<RegistryValue> value = readValue(HKEY_CURRENT_USER, subkey_, name);
  if (!value || !value->exists || !isText(value->type)) return std::nullopt;
  return narrow(value->text);
}

void RegistrySettingsStore::write(const std::string& name, const std::string& value) {
  const std::string keyName = "HKEY_CURRENT_USER\\" + narrow(subkey_);
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subkey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS)
    throw std::runtime_error("Cannot create the registry key " + keyName + ": " + systemMessage(status));
  const std::wstring valueName = widen(name);
  const std::wstring data = widen(value);
  status = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  if (status != ERROR_SUCCESS)
    throw std::runtime_error("Cannot write the registry value " + keyName + "\\" + name + ": " + systemMessage(status));
}

std::unique_ptr<SettingsStore> systemSettingsStore() { return std::make_unique<RegistrySettingsStore>(); }

}  // namespace wexmora::platform
