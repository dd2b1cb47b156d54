#pragma once
// The data sheet as one typed value (TForm15::facts.sheet): every field of
// the window's sheet as the fact it states, clocks in MHz, counts, the
// cache's size and level, the node, the memory types with their speeds,
// the PCI Express revisions, the technologies as a list, with where the
// sheet came from and the catalogue entry that filled it. Each source
// decodes its own text into it once, as it fills the field
// (core/model/sheet_values.h); the check against the machine, the metrics
// and wexmora-info's outputs read it, and nothing reads a number back out
// of what a control shows. A fact no source gave stays empty; "none" says
// the processor has none of it (the "-" of the turbo clock, the graphics
// and the L3).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wexmora {

// What filled the data sheet: the built-in catalogue, the extended table of
// other processors, the product line and clock the brand string names with
// the table rows and the processor's family and model that agree, or the
// machine's own facts; None when nothing did.
enum class SheetSource { None, Catalogue, Extended, Machine, Brand };

// A source other than the catalogue: the sheet's notes say so, and the links
// use the key the model-key chain left.
constexpr bool outsideCatalogue(SheetSource source) {
  return source == SheetSource::Extended || source == SheetSource::Machine || source == SheetSource::Brand;
}

// A hybrid processor's cores by kind: performance cores, efficient cores and
// the low-power efficient cores of a separate tile; they add up to its cores.
struct CoreTypes {
  int performance = 0, efficient = 0, lowPower = 0;
  int total() const { return performance + efficient + lowPower; }
  bool operator==(const CoreTypes&) const = default;
};

// The last-level cache the sheet names: the L3, or the L2 of a die that has
// none ("4 Mb L2").
struct CacheSize {
  std::uint64_t bytes = 0;
  int level = 3;
  bool operator==(const CacheSize&) const = default;
};

// A process node: in nanometres ("14 nm"; of "65 nm / 40 nm" the first), or
// by the name Intel gives its nodes after 10 nm ("Intel 4", "Intel 18A").
struct Lithography {
  double nanometres = 0;  // 0 for a node known by its name alone
  std::string node;
  bool operator==(const Lithography&) const = default;
};

// A memory type and the speeds the sheet names for it, in MHz (MT/s).
struct MemoryType {
  std::string type;  // "DDR4", "LPDDR5x"
  std::vector<int> speedsMhz;
  bool operator==(const MemoryType&) const = default;
};

struct DataSheet {
  SheetSource source = SheetSource::None;
  // The catalogue's entry (index and key) where the catalogue filled the sheet.
  std::optional<std::size_t> catalogueEntry;
  std::string catalogueKey;

  std::string productLine;
  int baseMhz = 0, turboMhz = 0;  // 0: not known
  bool noTurbo = false;
  int cores = 0, threads = 0;  // 0: not known
  std::optional<CoreTypes> coreTypes;
  std::string socket;
  std::string segment;  // the source's word, in English ("Desktop", "Mobile", ...)
  std::string codeName;
  std::optional<double> maxTemperatureCelsius;
  std::optional<Lithography> lithography;
  std::vector<MemoryType> memory;
  std::string graphics;
  bool noGraphics = false;
  std::optional<CacheSize> cache;
  bool noCache = false;
  std::vector<std::string> pcie;  // revisions, oldest first: "4.0", "5.0"
  std::vector<std::string> technologies;
};

}  // namespace wexmora
