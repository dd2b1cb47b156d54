#include "platform/cpuinfo.h"

#include <optional>
#include <string>

#include "base/trim.h"
#include "platform/vendor.h"

namespace wexmora::platform {
namespace {

// What surrounds names and values in the file.
constexpr std::string_view kTabsAndBlanks = " \t";

// The names read from the first processor block, in the order of Fields.
constexpr std::string_view kNames[] = {"model name", "vendor_id", "cpu family", "model", "stepping"};
enum Field { kModelName, kVendor, kFamily, kModel, kStepping, kFieldCount };

// The values of the first "name : value" line of each wanted name in the
// first processor block; the text is only looked at, never copied.
struct FirstBlock {
  std::optional<std::string_view> values[kFieldCount];
};

FirstBlock firstBlock(std::string_view text) {
  FirstBlock block;
  bool anyField = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (base::trim(line, kTabsAndBlanks).empty()) {
      if (anyField) break;  // the blank line that ends the first processor
      continue;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    anyField = true;
    auto value = line.substr(colon + 1);
    if (!value.empty() && value.front() == ' ') value.remove_prefix(1);  // the one blank after ':'
    const auto name = base::trim(line.substr(0, colon), kTabsAndBlanks);
    for (int field = 0; field < kFieldCount; ++field)
      if (name == kNames[field] && !block.values[field]) block.values[field] = value;
  }
  return block;
}

std::string architecture(std::string_view vendorId) {
  switch (vendorOf(vendorId)) {
    case Vendor::Intel:
      return "Intel64";
    case Vendor::Amd:
      return "AMD64";
    case Vendor::Other:
      break;
  }
  return "x86";
}

}  // namespace

ProcessorDescription parseCpuinfo(std::string_view cpuinfo) {
  const auto [values] = firstBlock(cpuinfo);
  ProcessorDescription result;
  if (values[kModelName]) result.brand = std::string(*values[kModelName]);
  if (values[kFamily] && values[kModel] && values[kStepping]) {
    result.identifier = architecture(values[kVendor].value_or("")) + " Family " +
                        std::string(base::trim(*values[kFamily], kTabsAndBlanks)) + " Model " +
                        std::string(base::trim(*values[kModel], kTabsAndBlanks)) + " Stepping " +
                        std::string(base::trim(*values[kStepping], kTabsAndBlanks));
  }
  return result;
}

}  // namespace wexmora::platform
