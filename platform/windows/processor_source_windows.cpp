#include <windows.h>

#include <stdexcept>

#include "platform/processor_source.h"

namespace wexmora::platform {
namespace {

// One value of HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0, read the
// way the program always has: "???" without the key, "" without the value,
// an error for a value that is not a string.
std::string readProcessorValue(const char* name) {
  std::string result = kMissingKey;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return result;
  result.clear();
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      RegCloseKey(key);
      throw std::runtime_error(std::string("Invalid data type for '") + name + "'");
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS)
      result.assign(data.c_str());
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
