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

#include "core/model/pass_facts.h"
#include "platform/vendor.h"

namespace wexmora {

// The reading of `brand`, or nothing when no rule reads a model number. Where
// the brand string reads two ways, `identity` decides; without it, nothing.
std::optional<ModelNumberReading> readModelNumber(std::string_view brand,
                                                  std::optional<FamilyModel> identity = std::nullopt);

// What a brand string says of the processor besides a model number.
struct BrandLine {
  platform::Vendor vendor = platform::Vendor::Other;
  std::string productLine;  // in the extended table's product_line form ("Intel Pentium 4", "Intel Core2 Quad", "AMD
                            // Athlon", "Intel Core Ultra 7", "AMD Ryzen AI 9"); empty where no line is named
  int clockMhz = 0;  // the clock written in it ("3.00GHz" -> 3000, "1200MHz", "U2250@1300+MHz" -> 1300), 0 where none
  int cores = 0;     // "12-Core Processor", "128-Core", "Dual Core", "Quad-Core" -> the count; 0 where none
  // The graphics the brand string names, in the extended table's form: "w/
  // Radeon 780M Graphics" -> "AMD Radeon 780M", "with Radeon Graphics" ->
  // "AMD Radeon Graphics", "R7" -> "AMD Radeon R7 Graphics"; empty where it
  // names none or none certain ("Radeon Vega Mobile Gfx" gives no count).
  std::string graphics;
};

// The line, clock and core count `brand` writes, also where it writes no
// model number (‹Intel(R) Pentium(R) 4 CPU 3.00GHz›); nothing when it names
// neither a line nor a clock. The vendor is Intel or Amd where the brand
// string names the maker or one of its lines, Other for the rest (VIA too).
std::optional<BrandLine> readBrandLine(std::string_view brand);

// The maker a brand string names: Amd for "AMD" or one of its line names
// (Athlon, Phenom, Turion, Sempron, Opteron, Ryzen, EPYC) opening a word,
// Intel for every other brand string.
platform::Vendor brandVendor(std::string_view brand);

// The brand-string text without the marks "(R)", "(TM)", "(tm)" and "(r)", with
// every run of blanks squeezed to one and no blank at either end.
std::string withoutMarks(std::string_view text);

}  // namespace wexmora
