#pragma once
// The model-number reader: finds the model number in an Intel or AMD brand
// string as processors really write it (‹Intel(R) Core(TM) i5 CPU M 460 @
// 2.53GHz›, ‹AMD Athlon(tm) 64 X2 Dual Core Processor 4200+›, ...) and turns
// it into the key of the extended table. It is separate from the catalogue's
// model-key rules: those stay as they are, this one serves every other x86
// processor. It keeps every qualifier that names another chip (PRO, suffix
// letters, "Celeron M", "Athlon 64 X2") and reads nothing it is not sure of.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wexmora {

enum class CpuVendor { Intel, Amd };

// Family and model of the processor identifier, when they are known.
struct FamilyModel {
  int family = 0;
  int model = 0;
};

struct ModelNumberReading {
  std::string key;    // the extended table's key: "i5-8250U", "Celeron M 430", "Ryzen 5 PRO 4650U"
  std::string shown;  // short enough for the processor field: "i5-8250U", "R5 PRO 4650U"
  CpuVendor vendor = CpuVendor::Intel;
  std::string_view rule;  // name of the rule that read it (for --explain)
  std::string_view lead;  // the words of the brand string that opened the rule's line
  std::size_t at = 0;     // the span of the brand string the number was read from
  std::size_t length = 0;
  std::string number;  // that span without trademark marks, blanks squeezed to one
};

// The reading of `brand`, or nothing when no rule reads a model number. Where
// the brand string reads two ways, `identity` decides; without it, nothing.
std::optional<ModelNumberReading> readModelNumber(std::string_view brand,
                                                  std::optional<FamilyModel> identity = std::nullopt);

// The brand-string text without the marks "(R)", "(TM)", "(tm)" and "(r)", with
// every run of blanks squeezed to one and no blank at either end.
std::string withoutMarks(std::string_view text);

}  // namespace wexmora
