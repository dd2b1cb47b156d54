#pragma once
// The model keys of the built-in catalogue (the hidden list box ListBox1).
// The list is generated at build time from field 1 of each record of
// resources/catalogue/records.txt, its one master.
#include <cstddef>
#include <string_view>

namespace wexmora::catalogue {

inline constexpr std::size_t kEntryCount = 578;

// Key of entry `index` (0-based); throws std::out_of_range past the end.
std::string_view keyAt(std::size_t index);

}  // namespace wexmora::catalogue
