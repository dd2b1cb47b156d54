#pragma once
// The extended table's rows as the build embeds them, generated from
// resources/extended/processors.tsv, x86_family_models.tsv,
// microarchitecture_technologies.tsv and dies_by_model_number.tsv: each item one line of the file,
// tab-separated, without its line break. The processor rows
// stand in ascending byte order of their key (field 1), so a lookup can
// search them without parsing them first.
#include <array>
#include <span>
#include <string_view>

namespace wexmora::catalogue {

// The processor rows' columns, in order (core/data/extended_columns.def).
enum class ExtendedColumn : std::size_t {
#define WEXMORA_EXTENDED_COLUMN(name, header) name,
#include "core/data/extended_columns.def"
#undef WEXMORA_EXTENDED_COLUMN
  Count
};
inline constexpr std::size_t kExtendedColumns = static_cast<std::size_t>(ExtendedColumn::Count);
// Their names in the table's header line ("# key<TAB>vendor<TAB>...").
inline constexpr std::array<std::string_view, kExtendedColumns> kExtendedColumnNames = {
#define WEXMORA_EXTENDED_COLUMN(name, header) header,
#include "core/data/extended_columns.def"
#undef WEXMORA_EXTENDED_COLUMN
};
constexpr std::size_t columnIndex(ExtendedColumn column) { return static_cast<std::size_t>(column); }
// vendor, family, model_first, model_last, stepping_first, stepping_last,
// code_name, microarchitecture, lithography, segment, certain, source
inline constexpr std::size_t kFamilyModelColumns = 12;
// vendor, microarchitecture, lines, technologies, source
inline constexpr std::size_t kTechnologyColumns = 5;
// vendor, family, model_first, model_last, key_prefixes, code_name, source
inline constexpr std::size_t kDieColumns = 7;

std::span<const std::string_view> extendedProcessorRows();
std::span<const std::string_view> extendedFamilyModelRows();
std::span<const std::string_view> extendedTechnologyRows();
std::span<const std::string_view> extendedDieRows();

}  // namespace wexmora::catalogue
