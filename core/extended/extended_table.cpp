#include "core/extended/extended_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/data/extended_rows.h"
#include "core/identify/model_number.h"

namespace wexmora {
namespace {

using catalogue::kDieColumns;
using catalogue::kExtendedColumns;
using catalogue::kFamilyModelColumns;
using catalogue::kTechnologyColumns;

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
  using C = catalogue::ExtendedColumn;
  const auto fields = split<kExtendedColumns>(line);
  const auto f = [&fields](C column) { return fields[catalogue::columnIndex(column)]; };
  return ExtendedRow{.key = f(C::Key),
                     .vendor = vendorNamed(f(C::Vendor)),
                     .productLine = f(C::ProductLine),
                     .baseClock = f(C::Base),
                     .turboClock = f(C::Turbo),
                     .cores = f(C::Cores),
                     .threads = f(C::Threads),
                     .performanceCores = f(C::PerformanceCores),
                     .efficientCores = f(C::EfficientCores),
                     .lowPowerCores = f(C::LowPowerCores),
                     .socket = f(C::Socket),
                     .segmentEnglish = f(C::SegmentEnglish),
                     .segmentRussian = f(C::SegmentRussian),
                     .codeName = f(C::CodeName),
                     .maxTemperature = f(C::MaxTemperature),
                     .lithography = f(C::Lithography),
                     .memory = f(C::Memory),
                     .graphics = f(C::Graphics),
                     .l3Cache = f(C::L3Cache),
                     .pcie = f(C::Pcie),
                     .technologies = f(C::Technologies),
                     .source = f(C::Source)};
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

std::string_view familyModelVendor(std::string_view brand, platform::Vendor brandMaker) {
  struct Mark {
    std::string_view word;
    std::string_view vendor;
  };
  // clang-format off
  static constexpr Mark kMarks[] = {
    {"hygon", "Hygon"}, {"zhaoxin", "Zhaoxin"}, {"centaur", "VIA"}, {"via ", "VIA"},
  };
  // clang-format on
  // The marks are lower case and the brand string's case is not: it is
  // lowered once and searched for each.
  std::string lowered(brand);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  for (const Mark& mark : kMarks)
    if (lowered.find(mark.word) != std::string::npos) return mark.vendor;
  return brandMaker == platform::Vendor::Amd ? "AMD" : "Intel";
}

std::string_view familyModelVendor(std::string_view brand) { return familyModelVendor(brand, brandVendor(brand)); }

namespace {

// The compiled-in hand-kept tables, split once on first use (the pass asks
// them for every processor; splitting their lines again each time cost
// --brands most of its time).
const std::vector<FamilyModelRow>& familyModelRows() {
  static const std::vector<FamilyModelRow> rows = [] {
    std::vector<FamilyModelRow> parsed;
    for (const std::string_view line : catalogue::extendedFamilyModelRows()) {
      const auto f = split<kFamilyModelColumns>(line);
      parsed.push_back({f[0], number(f[1]), number(f[2]), number(f[3]), number(f[4]), number(f[5]), f[6], f[7], f[8],
                        f[9], f[10] == "yes"});
    }
    return parsed;
  }();
  return rows;
}

struct DieRow {
  std::string_view vendor;
  int family, modelFirst, modelLast;
  std::vector<std::string_view> prefixes;
  std::string_view codeName;
};

const std::vector<DieRow>& dieRows() {
  static const std::vector<DieRow> rows = [] {
    std::vector<DieRow> parsed;
    for (const std::string_view line : catalogue::extendedDieRows()) {
      const auto f = split<kDieColumns>(line);
      DieRow row{f[0], number(f[1]), number(f[2]), number(f[3]), {}, f[5]};
      for (std::string_view prefixes = f[4]; !prefixes.empty();) {
        const std::size_t bar = prefixes.find('|');
        if (const std::string_view prefix = prefixes.substr(0, bar); !prefix.empty()) row.prefixes.push_back(prefix);
        prefixes = bar == std::string_view::npos ? std::string_view() : prefixes.substr(bar + 1);
      }
      parsed.push_back(std::move(row));
    }
    return parsed;
  }();
  return rows;
}

}  // namespace

std::optional<FamilyModelRow> findFamilyModelRow(std::string_view vendor, int family, int model, int stepping) {
  std::optional<FamilyModelRow> found;
  for (const FamilyModelRow& row : familyModelRows()) {
    if (row.family != family || model < row.modelFirst || model > row.modelLast || row.vendor != vendor) continue;
    if (stepping >= 0) {
      if (stepping >= row.steppingFirst && stepping <= row.steppingLast) return row;
      continue;
    }
    if (found && found->codeName != row.codeName) return std::nullopt;
    if (!found) found = row;
  }
  return found;
}

std::string_view dieOfModelNumber(std::string_view vendor, int family, int model, std::string_view key) {
  if (key.empty()) return {};
  for (const DieRow& row : dieRows()) {
    if (row.family != family || model < row.modelFirst || model > row.modelLast || row.vendor != vendor) continue;
    for (const std::string_view prefix : row.prefixes)
      if (key.starts_with(prefix)) return row.codeName;
  }
  return {};
}

namespace {

// Whether a row's code name is `codeName`, or a row of several dies it cannot
// tell apart ("Alder Lake-N / Twin Lake") names it among them.
bool namesDie(std::string_view dies, std::string_view codeName) {
  constexpr std::string_view kBetween = " / ";
  if (sameCodeName(dies, codeName)) return true;
  for (std::size_t at; (at = dies.find(kBetween)) != std::string_view::npos; dies.remove_prefix(at + kBetween.size()))
    if (sameCodeName(dies.substr(0, at), codeName)) return true;
  return dies.find(kBetween) == std::string_view::npos && sameCodeName(dies, codeName);
}

}  // namespace

std::string_view microarchitectureOfCodeName(std::string_view vendor, std::string_view codeName) {
  std::string_view found;
  if (codeName.empty()) return found;
  // The table never changes: each code name is looked up once a thread.
  thread_local std::unordered_map<std::string, std::string_view> known;
  std::string key = std::string(vendor) + '\t' + std::string(codeName);
  if (const auto it = known.find(key); it != known.end()) return it->second;
  for (const std::string_view line : catalogue::extendedFamilyModelRows()) {
    if (!line.starts_with(vendor) || line.size() <= vendor.size() || line[vendor.size()] != '\t') continue;
    const auto f = split<kFamilyModelColumns>(line);
    if (!namesDie(f[6], codeName)) continue;
    if (!found.empty() && found != f[7]) {
      found = {};
      break;
    }
    found = f[7];
  }
  if (known.size() < 4096) known.emplace(std::move(key), found);
  return found;
}

std::string_view microarchitectureTechnologies(std::string_view vendor, std::string_view microarchitecture,
                                               std::string_view productLine) {
  struct TechnologyRow {
    std::string_view vendor, microarchitecture, lines, technologies;
  };
  static const std::vector<TechnologyRow> rows = [] {
    std::vector<TechnologyRow> parsed;
    for (const std::string_view line : catalogue::extendedTechnologyRows()) {
      const auto f = split<kTechnologyColumns>(line);
      parsed.push_back({f[0], f[1], f[2], f[3]});
    }
    return parsed;
  }();
  std::string_view everyLine;
  if (microarchitecture.empty()) return everyLine;
  for (const TechnologyRow& row : rows) {
    if (row.vendor != vendor || row.microarchitecture != microarchitecture) continue;
    if (row.lines == "*") {
      everyLine = row.technologies;
      continue;
    }
    for (std::string_view lines = row.lines; !lines.empty();) {
      const std::size_t bar = lines.find('|');
      if (lines.substr(0, bar) == productLine) return row.technologies;
      lines = bar == std::string_view::npos ? std::string_view() : lines.substr(bar + 1);
    }
  }
  return everyLine;
}

std::optional<CoreTypes> coreTypesOf(const ExtendedRow& row) {
  const CoreTypes types{number(row.performanceCores), number(row.efficientCores), number(row.lowPowerCores)};
  if (types.performance < 0 || types.efficient < 0 || types.lowPower < 0) return std::nullopt;
  if ((types.performance > 0) + (types.efficient > 0) + (types.lowPower > 0) < 2) return std::nullopt;
  return types;
}

int hybridThreads(std::string_view vendor, std::string_view microarchitecture, const CoreTypes& types) {
  struct Hybrid {
    std::string_view microarchitecture;
    int threadsOfPerformanceCore;
  };
  // clang-format off
  // Intel's hybrids, as their datasheets give the threads of a core.
  static constexpr Hybrid kHybrids[] = {
    {"Golden Cove + Gracemont",   2},  // Alder Lake
    {"Raptor Cove + Gracemont",   2},  // Raptor Lake
    {"Redwood Cove + Crestmont",  2},  // Meteor Lake, Arrow Lake (U)
    {"Lion Cove + Skymont",       1},  // Lunar Lake, Arrow Lake
    {"Cougar Cove + Darkmont",    1},  // Panther Lake
  };
  // clang-format on
  if (vendor != "Intel") return 0;
  for (const Hybrid& hybrid : kHybrids)
    if (hybrid.microarchitecture == microarchitecture)
      return hybrid.threadsOfPerformanceCore * types.performance + types.efficient + types.lowPower;
  return 0;
}

std::size_t extendedRowCount() { return catalogue::extendedProcessorRows().size(); }

bool sameCodeName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::vector<ExtendedRow> extendedRowsOfLine(std::string_view productLine) {
  // The rows of each product line, in the table's order, gathered once; a
  // line's rows are split when it is first asked for (on each thread).
  static const std::unordered_map<std::string_view, std::vector<std::size_t>> rowsOfLine = [] {
    std::unordered_map<std::string_view, std::vector<std::size_t>> lines;
    const auto all = catalogue::extendedProcessorRows();
    for (std::size_t i = 0; i < all.size(); ++i)
      lines[split<3>(all[i])[catalogue::columnIndex(catalogue::ExtendedColumn::ProductLine)]].push_back(i);
    return lines;
  }();
  thread_local std::unordered_map<std::string_view, std::vector<ExtendedRow>> splitRows;
  if (productLine.empty()) return {};
  const auto it = rowsOfLine.find(productLine);
  if (it == rowsOfLine.end()) return {};
  auto [rows, first] = splitRows.try_emplace(it->first);
  if (first)
    for (const std::size_t index : it->second) rows->second.push_back(extendedRowAt(index));
  return rows->second;
}

ExtendedRow extendedRowAt(std::size_t index) { return rowOf(catalogue::extendedProcessorRows()[index]); }

}  // namespace wexmora
