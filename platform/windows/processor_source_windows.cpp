#include <windows.h>

#include <stdexcept>

#include "platform/processor_source.h"
#include "platform/windows/wide_text.h"

namespace wexmora::platform {
namespace {

constexpr const wchar_t* kProcessorKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// One value of HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0, read the
// way the program always has: "???" without the key, "" without the value,
// an error for a value that is not a string. Read as UTF-16, so a brand
// string outside the ANSI code page arrives whole, as UTF-8.
std::string readProcessorValue(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProcessorKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return kMissingKey;
  const std::wstring valueName = widen(name);
  std::string result;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      RegCloseKey(key);
      throw std::runtime_error(std::string("Invalid data type for '") + name + "'");
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
        ERROR_SUCCESS) {
      data.resize(bytes / sizeof(wchar_t));
      if (const auto end = data.find(L'\0'); end != std::wstring::npos) data.resize(end);  // the text ends at its NUL
      result = narrow(data);
    }
  }
  RegCloseKey(key);
  return result;
}

class RegistryProcessorSource : public ProcessorSource {
 public:
  std::string readcpuname() override { return readProcessorValue("ProcessorNameString"); }
  std::string readcpuid() override { return readProcessorValue("Identifier"); }
};

}  // namespace

std::unique_ptr<ProcessorSource> systemProcessorSource() { return std::make_unique<RegistryProcessorSource>(); }

}  // namespace wexmora::platform
