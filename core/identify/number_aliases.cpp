#include "core/identify/number_aliases.h"

#include <array>

namespace wexmora {
namespace {

// clang-format off
// rule             number   family model  key              source
constexpr std::array<NumberAlias, 7> kAliases = {{
  {"intel-genuine", "U7300",  0,  0,  "Core2 U7300",  "Intel ARK: Core 2 Duo Processor SU7300 (3M Cache, 1.30 GHz, 800 MHz FSB)"},
  {"intel-genuine", "U4100",  0,  0,  "SU4100",       "Intel ARK: Pentium Processor SU4100 (2M Cache, 1.30 GHz, 800 MHz FSB)"},
  {"intel-genuine", "U2700",  0,  0,  "SU2700",       "Intel ARK: Pentium Processor SU2700 (2M Cache, 1.30 GHz, 800 MHz FSB)"},
  {"intel-genuine", "U2300",  0,  0,  "SU2300",       "Intel ARK: Celeron Processor SU2300 (1M Cache, 1.20 GHz, 800 MHz FSB)"},
  {"intel-genuine", "2140",   6, 15,  "E2140",        "Intel ARK: Pentium Processor E2140 (1M Cache, 1.60 GHz, 800 MHz FSB), family 6 model 15"},
  {"intel-genuine", "585",    6, 15,  "Celeron 585",  "Intel ARK: Celeron Processor 585 (1M Cache, 2.16 GHz, 667 MHz FSB), family 6 model 15"},
  {"intel-core2",   "L9400",  0,  0,  "Core2 SL9400", "Intel's Core 2 Duo processor numbers: SL9300, SL9400, SL9600 and no L9400; ARK: SL9400 (6M Cache, 1.86 GHz, 1066 MHz FSB)"},
}};
// clang-format on

}  // namespace

std::span<const NumberAlias> numberAliases() { return kAliases; }

std::optional<std::string_view> aliasedKey(std::string_view rule, std::string_view number,
                                           std::optional<FamilyModel> identity) {
  for (const NumberAlias& alias : kAliases) {
    if (alias.rule != rule || alias.number != number) continue;
    if (alias.family == 0 || (identity && identity->family == alias.family && identity->model == alias.model))
      return alias.key;
  }
  return std::nullopt;
}

}  // namespace wexmora
