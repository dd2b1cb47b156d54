#pragma once
// The extended table's rows as the build embeds them, generated from
// resources/extended/processors.tsv and family_models.tsv: each item one line
// of the file, tab-separated, without its line break. The processor rows
// stand in ascending byte order of their key (field 1), so a lookup can
// search them without parsing them first.
#include <span>
#include <string_view>

namespace wexmora::catalogue {

inline constexpr std::size_t kExtendedColumns = 19;
inline constexpr std::size_t kFamilyModelColumns = 5;

std::span<const std::string_view> extendedProcessorRows();
std::span<const std::string_view> extendedFamilyModelRows();

}  // namespace wexmora::catalogue
