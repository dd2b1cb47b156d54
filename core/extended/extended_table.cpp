#include "core/extended/extended_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "core/data/extended_rows.h"

namespace wexmora {
namespace {

using catalogue::kExtendedColumns;
using catalogue::kFamilyModelColumns;

template <std::size_t N>
std::array<std::string_view, N> split(std::string_view row) {
  std::array<std::string_view, N> fields{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t tab = row.find('\t');
    fields[i] = row.substr(0, tab);
    if (tab == std::string_view::npos) break;
    row.remove_prefix(tab + 1);
  }
  return fields;
}

std::string_view keyOf(std::string_view row) { return row.substr(0, row.find('\t')); }

// The maker as the tables name it.
platform::Vendor vendorNamed(std::string_view name) {
  if (name == "Intel") return platform::Vendor::Intel;
  return name == "AMD" ? platform::Vendor::Amd : platform::Vendor::Other;
}

int number(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

ExtendedRow rowOf(std::string_view line) {
  const auto f = split<kExtendedColumns>(line);
  return ExtendedRow{f[0],  vendorNamed(f[1]),
                     f[2],  f[3],
                     f[4],  f[5],
                     f[6],  f[7],
                     f[8],  f[9],
                     f[10], f[11],
                     f[12], f[13],
                     f[14], f[15],
                     f[16], f[17],
                     f[18]};
}

}  // namespace

std::optional<ExtendedRow> findExtendedRow(std::string_view key) {
  const auto rows = catalogue::extendedProcessorRows();
  const auto at = std::lower_bound(rows.begin(), rows.end(), key,
                                   [](std::string_view row, std::string_view wanted) { return keyOf(row) < wanted; });
  if (key.empty() || at == rows.end() || keyOf(*at) != key) return std::nullopt;
  return rowOf(*at);
}

std::optional<ExtendedRow> findExtendedRow(platform::Vendor vendor, std::string_view key) {
  auto row = findExtendedRow(key);
  if (row && row->vendor != vendor) return std::nullopt;
  return row;
}

std::optional<FamilyModelRow> findFamilyModelRow(platform::Vendor vendor, int family, int model) {
  for (const std::string_view row : catalogue::extendedFamilyModelRows()) {
    const auto f = split<kFamilyModelColumns>(row);
    if (vendorNamed(f[0]) == vendor && number(f[1]) == family && number(f[2]) == model)
      return FamilyModelRow{vendor, family, model, f[3], f[4]};
  }
  return std::nullopt;
}

std::size_t extendedRowCount() { return catalogue::extendedProcessorRows().size(); }

ExtendedRow extendedRowAt(std::size_t index) { return rowOf(catalogue::extendedProcessorRows()[index]); }

}  // namespace wexmora
