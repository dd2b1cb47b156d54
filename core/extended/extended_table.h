#pragma once
// The extended table: a data sheet for processors the catalogue does not
// hold, one row per model key that core/identify/model_number reads, and the
// family/model table that names the code name and lithography of a family
// and model where every processor of the sample that reports them agrees.
// Both are compiled in (resources/extended/); a lookup searches the sorted
// rows in place and splits only the row it finds.
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/pass_facts.h"
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
  // A hybrid processor's cores by kind (they add up to `cores`); empty for
  // a processor of one kind of core.
  std::string_view performanceCores;
  std::string_view efficientCores;
  std::string_view lowPowerCores;
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

// What the x86 family/model table says of one family and model (and, where
// one model spans several dies, stepping range): the die's code name, its
// microarchitecture, lithography and segment. `certain` is false where the
// row names several dies it cannot tell apart ("Ontario / Zacate").
struct FamilyModelRow {
  std::string_view vendor;  // "Intel", "AMD", "Hygon", "VIA", "Zhaoxin"
  int family = 0;
  int modelFirst = 0, modelLast = 0;
  int steppingFirst = 0, steppingLast = 15;
  std::string_view codeName;
  std::string_view microarchitecture;
  std::string_view lithography;
  std::string_view segment;
  bool certain = true;
};

// The name the family/model table gives the maker of the processor whose
// brand string this is: "AMD", "Hygon", "VIA", "Zhaoxin" where it names one
// of those, else "Intel".
std::string_view familyModelVendor(std::string_view brand);
// The same where the brand string's maker (core/identify/model_number.h's
// brandVendor) is already known.
std::string_view familyModelVendor(std::string_view brand, platform::Vendor brandMaker);

// The row whose key equals `key` exactly (case matters), or nothing.
std::optional<ExtendedRow> findExtendedRow(std::string_view key);

// The same, only when the row is of that vendor: what a model-number reading looks up.
std::optional<ExtendedRow> findExtendedRow(platform::Vendor vendor, std::string_view key);

// The family/model row of that processor. Without a stepping (-1), a model
// whose rows name different dies gives nothing; where they all name one die,
// the first of them.
std::optional<FamilyModelRow> findFamilyModelRow(std::string_view vendor, int family, int model, int stepping = -1);

// The die a model number names where its family and model stand for
// several ("Pinnacle Ridge / Colfax"): the code name of the first row of that
// family and model one of whose key prefixes begins `key` ("Ryzen 7 2700X");
// empty where none does.
std::string_view dieOfModelNumber(std::string_view vendor, int family, int model, std::string_view key);

// The microarchitecture of every family/model row with that code name (case
// ignored), when they agree; empty otherwise.
std::string_view microarchitectureOfCodeName(std::string_view vendor, std::string_view codeName);

// What every processor of that microarchitecture and product line has, in
// the catalogue's names ("SSE4.2", "AVX2", "EM64T", "VT-x"): the row of the
// microarchitecture that lists the line, else its row for every line; empty
// where the table has neither.
std::string_view microarchitectureTechnologies(std::string_view vendor, std::string_view microarchitecture,
                                               std::string_view productLine);

// The kinds of core of a row that lists them, where they make a hybrid.
std::optional<CoreTypes> coreTypesOf(const ExtendedRow& row);

// The threads of a hybrid of that microarchitecture with those kinds of
// core: two on each performance core where its performance cores have
// hyper-threading (Alder Lake, Raptor Lake, Meteor Lake), one where they have
// none (Lunar Lake, Arrow Lake, Panther Lake), one on every efficient core;
// 0 for a microarchitecture that is no hybrid of the table.
int hybridThreads(std::string_view vendor, std::string_view microarchitecture, const CoreTypes& types);

// Number of processor rows (for tests and the coverage tool).
std::size_t extendedRowCount();

// Every row of that product line ("Intel Pentium 4"), in the table's order.
std::vector<ExtendedRow> extendedRowsOfLine(std::string_view productLine);

// Whether two code names are one, case ignored ("RAPTOR LAKE", "Raptor Lake").
bool sameCodeName(std::string_view a, std::string_view b);

// Row `index` (0 to extendedRowCount() - 1) in the table's order of keys.
ExtendedRow extendedRowAt(std::size_t index);

}  // namespace wexmora
