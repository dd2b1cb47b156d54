#pragma once
// The extended table: a data sheet for processors the catalogue does not
// hold, one row per model key that core/identify/model_number reads, and the
// family/model table that names the code name and lithography of a family
// and model where every processor of the sample that reports them agrees.
// Both are compiled in (resources/extended/); a lookup searches the sorted
// rows in place and splits only the row it finds.
#include <optional>
#include <string_view>

#include "platform/vendor.h"

namespace wexmora {

// One row's fields, in the catalogue's display forms ("2.80 GHz", "6 Mb",
// "14 nm", "100°C"); a field no source gives is empty.
struct ExtendedRow {
  std::string_view key;
  platform::Vendor vendor;       // the table's "Intel" or "AMD"
  std::string_view productLine;  // "Intel Core i5", "AMD Ryzen 5"
  std::string_view baseClock;
  std::string_view turboClock;
  std::string_view cores;
  std::string_view threads;
  std::string_view socket;
  std::string_view segmentEnglish;  // "Desktop", "Mobile", "Server", "Embedded", "Workstation"
  std::string_view segmentRussian;
  std::string_view codeName;
  std::string_view maxTemperature;
  std::string_view lithography;
  std::string_view memory;
  std::string_view graphics;
  std::string_view l3Cache;
  std::string_view pcie;
  std::string_view technologies;  // tokens separated by ", "
  std::string_view source;        // "intel", "amd", "basics" or two of them joined by "+"
};

struct FamilyModelRow {
  platform::Vendor vendor = platform::Vendor::Intel;
  int family = 0;
  int model = 0;
  std::string_view codeName;
  std::string_view lithography;
};

// The row whose key equals `key` exactly (case matters), or nothing.
std::optional<ExtendedRow> findExtendedRow(std::string_view key);

// The same, only when the row is of that vendor: what a model-number reading looks up.
std::optional<ExtendedRow> findExtendedRow(platform::Vendor vendor, std::string_view key);

// The family/model row of that processor, or nothing.
std::optional<FamilyModelRow> findFamilyModelRow(platform::Vendor vendor, int family, int model);

// Number of processor rows (for tests and the coverage tool).
std::size_t extendedRowCount();

// Row `index` (0 to extendedRowCount() - 1) in the table's order of keys.
ExtendedRow extendedRowAt(std::size_t index);

}  // namespace wexmora
