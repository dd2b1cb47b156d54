#include "platform/cpuinfo.h"

#include <map>

#include "base/trim.h"

namespace wexmora::platform {
namespace {

// What surrounds names and values in the file.
constexpr std::string_view kTabsAndBlanks = " \t";

// The "name : value" lines of the first processor block.
std::map<std::string, std::string, std::less<>> firstBlock(std::string_view text) {
  std::map<std::string, std::string, std::less<>> fields;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (base::trim(line, kTabsAndBlanks).empty()) {
      if (!fields.empty()) break;  // the blank line that ends the first processor
      continue;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    auto value = line.substr(colon + 1);
    if (!value.empty() && value.front() == ' ') value.remove_prefix(1);  // the one blank after ':'
    fields.emplace(std::string(base::trim(line.substr(0, colon), kTabsAndBlanks)), std::string(value));
  }
  return fields;
}

std::string architecture(std::string_view vendor) {
  if (vendor == "GenuineIntel") return "Intel64";
  if (vendor == "AuthenticAMD" || vendor == "HygonGenuine") return "AMD64";
  return "x86";
}

}  // namespace

ProcessorDescription parseCpuinfo(std::string_view cpuinfo) {
  const auto fields = firstBlock(cpuinfo);
  ProcessorDescription result;
  if (const auto it = fields.find("model name"); it != fields.end()) result.brand = it->second;
  const auto family = fields.find("cpu family");
  const auto model = fields.find("model");
  const auto stepping = fields.find("stepping");
  if (family != fields.end() && model != fields.end() && stepping != fields.end()) {
    const auto vendor = fields.find("vendor_id");
    result.identifier = architecture(vendor == fields.end() ? "" : vendor->second) + " Family " +
                        std::string(base::trim(family->second, kTabsAndBlanks)) + " Model " +
                        std::string(base::trim(model->second, kTabsAndBlanks)) + " Stepping " +
                        std::string(base::trim(stepping->second, kTabsAndBlanks));
  }
  return result;
}

}  // namespace wexmora::platform
