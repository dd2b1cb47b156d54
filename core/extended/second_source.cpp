#include "core/extended/second_source.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "base/join.h"
#include "core/extended/extended_table.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"
#include "core/model/sheet_values.h"

namespace wexmora {
namespace {

bool onlyLetters(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

void traceReading(TForm15& form, const std::optional<ModelNumberReading>& reading) {
  if (!form.trace) return;
  ModelNumberTrace& t = form.trace->modelNumber.emplace();
  t.catalogueKey = form[main_controls::kModelKey].text;
  if (!reading) return;
  t.read = true;
  t.rule = std::string(reading->rule);
  t.number = reading->number;
  t.key = reading->key;
  t.shown = reading->shown;
}

void traceRow(TForm15& form, bool found) {
  if (form.trace && form.trace->modelNumber) form.trace->modelNumber->rowFound = found;
}

// The model number of the brand string, read the first time a stage asks
// for it in a pass (and recorded then), the same reading afterwards.
const std::optional<ModelNumberReading>& modelNumberOf(TForm15& form) {
  PassFacts& facts = form.facts;
  if (!facts.modelNumberRead) {
    facts.modelNumber = readModelNumber(form[main_controls::kBrandString].text, facts.familyModel());
    facts.modelNumberRead = true;
    traceReading(form, facts.modelNumber);
  }
  return facts.modelNumber;
}

void showModelNumber(TForm15& form, const ModelNumberReading& reading) {
  if (!form.facts.keyBeforeModelNumber) form.facts.keyBeforeModelNumber = form[main_controls::kModelKey].text;
  form[main_controls::kModelKey].text = reading.shown;
  form[main_controls::kPhotoModelKey].text = reading.shown;
}

// clang-format off
// The extended row's fields, where a catalogue record puts its fields 2 to
// 15; the segment is the English one, which the language routines translate.
struct RowField {
  const char* control;
  std::string_view ExtendedRow::*field;
};
constexpr RowField kRowFields[] = {
  {main_controls::kProductLine, &ExtendedRow::productLine},
  {main_controls::kTurboClock,  &ExtendedRow::turboClock},
  {main_controls::kCores,  &ExtendedRow::cores},
  {main_controls::kThreads,  &ExtendedRow::threads},
  {main_controls::kSocket, &ExtendedRow::socket},
  {main_controls::kSegment, &ExtendedRow::segmentEnglish},
  {main_controls::kCodeName, &ExtendedRow::codeName},
  {main_controls::kMaxTemperature, &ExtendedRow::maxTemperature},
  {main_controls::kLithography, &ExtendedRow::lithography},
  {main_controls::kMemory, &ExtendedRow::memory},
  {main_controls::kGraphics, &ExtendedRow::graphics},
  {main_controls::kL3Cache, &ExtendedRow::l3Cache},
  {main_controls::kPcie, &ExtendedRow::pcie},
  {main_controls::kTechnologies,  &ExtendedRow::technologies},
};
// clang-format on

// clang-format off
// Code names of the catalogue's records that store the L2 size in field 13:
// these dies have no L3.
constexpr std::string_view kL2OnlyCodeNames[] = {
  "Kentsfield", "Yorkfield", "Harpertown",
};
// clang-format on

constexpr std::string_view kL2Mark = " L2";

// Sets a field the sheet leaves empty.
void fillEmpty(TForm15& form, const char* control, std::string_view text) {
  if (form[control].text.empty() && !text.empty()) setSheetField(form, control, std::string(text));
}

// The family/model row of the die the identifier names, or nothing.
std::optional<FamilyModelRow> identifiedDie(const TForm15& form) {
  const std::optional<FamilyModel> identity = form.facts.familyModel();
  if (!identity) return std::nullopt;
  return findFamilyModelRow(familyModelVendor(form[main_controls::kBrandString].text, form.facts.vendor),
                            identity->family, identity->model, form.facts.stepping.value_or(-1));
}

// The code name, lithography and segment of the family/model table, where
// the processor's identifier names a family and model the table knows. Where
// that family and model stand for several dies, the model number (`key`, the
// extended table's) may say which.
const std::optional<FamilyModelRow>& fillFromFamilyModel(TForm15& form, const std::optional<FamilyModelRow>& die,
                                                         std::string_view key) {
  if (!die) return die;
  if (die->certain) fillEmpty(form, main_controls::kCodeName, die->codeName);
  fillEmpty(form, main_controls::kCodeName, dieOfModelNumber(die->vendor, die->family, *form.facts.model, key));
  fillEmpty(form, main_controls::kLithography, die->lithography);
  fillEmpty(form, main_controls::kSegment, die->segment);
  return die;
}

// clang-format off
// What no processor of a microarchitecture has, as the makers' product
// specifications list them: a turbo clock, an L3, integrated graphics, more
// threads than cores (AMD's modules of family 21 count as cores). A field
// the sheet leaves empty says "-" then, and the threads are the cores.
struct Absent {
  std::string_view vendor, microarchitecture;
  bool turbo, l3, graphics, smt;
};
constexpr Absent kAbsent[] = {
  // vendor  microarchitecture  turbo  L3     graphics SMT
  {"Intel", "P6",              true,  true,  true,  true},
  {"Intel", "Pentium M",       true,  true,  true,  true},
  {"Intel", "Yonah",           true,  true,  true,  true},
  {"Intel", "NetBurst",        true,  false, true,  false},
  {"Intel", "Core",            true,  true,  true,  true},
  {"Intel", "Penryn",          true,  false, true,  true},
  {"Intel", "Nehalem",         false, false, true,  false},
  {"Intel", "Silvermont",      false, true,  false, true},
  {"Intel", "Airmont",         false, true,  false, true},
  {"Intel", "Goldmont",        false, true,  false, true},
  {"Intel", "Goldmont Plus",   false, true,  false, true},
  {"AMD",   "K7",              true,  true,  true,  true},
  {"AMD",   "K8",              true,  true,  true,  true},
  {"AMD",   "K10",             false, false, false, true},
  {"AMD",   "Bobcat",          false, true,  false, true},
  {"AMD",   "Jaguar",          false, true,  false, true},
  {"AMD",   "Puma",            false, true,  false, true},
  {"AMD",   "Bulldozer",       false, false, true,  true},
  {"AMD",   "Piledriver",      false, false, false, true},
  {"AMD",   "Steamroller",     false, true,  false, true},
  {"AMD",   "Excavator",       false, true,  false, true},
  {"Intel", "Gracemont",       false, false, false, true},   // Alder Lake-N, Twin Lake
  {"Intel", "Crestmont",       false, false, false, true},   // Sierra Forest
  {"Intel", "Lion Cove + Skymont", false, false, false, true},  // Lunar Lake, Arrow Lake: no hyper-threading
  {"Intel", "Cougar Cove + Darkmont", false, false, false, true},  // Panther Lake
};
// clang-format on

// Microarchitectures every processor of which runs two threads on each core
// (the makers' product specifications list none of them without SMT).
constexpr std::string_view kSmtOnEveryCore[] = {
    "Zen 4", "Zen 4c", "Zen 4 + Zen 4c", "Zen 5", "Zen 5c", "Zen 5 + Zen 5c",
};

// The sheet's processor's maker as the family/model table names it and its
// microarchitecture: the identifier's die's, else that of the code name the
// sheet shows.
struct Microarchitecture {
  std::string_view vendor, name;
};

Microarchitecture microarchitectureOf(const TForm15& form, const std::optional<FamilyModelRow>& die,
                                      std::optional<platform::Vendor> rowMaker = std::nullopt) {
  // A row given by its key (--key) has no brand string: the row's maker is the processor's.
  const std::string_view vendor =
      rowMaker && form[main_controls::kBrandString].text.empty()
          ? (*rowMaker == platform::Vendor::Amd ? std::string_view("AMD") : std::string_view("Intel"))
          : familyModelVendor(form[main_controls::kBrandString].text, form.facts.vendor);
  if (die) return {vendor, die->microarchitecture};
  return {vendor, microarchitectureOfCodeName(vendor, form.facts.sheet.codeName)};
}

// Fields the sheet leaves empty that its microarchitecture settles.
void fillAbsences(TForm15& form, const Microarchitecture& micro) {
  const auto [vendor, microarchitecture] = micro;
  for (const Absent& absent : kAbsent) {
    if (absent.vendor != vendor || absent.microarchitecture != microarchitecture) continue;
    const auto none = [&form](const char* control, bool lacking) {
      if (lacking) fillEmpty(form, control, "-");
    };
    none(main_controls::kTurboClock, absent.turbo);
    none(main_controls::kL3Cache, absent.l3);
    none(main_controls::kGraphics, absent.graphics);
    if (absent.smt && form.facts.sheet.cores > 0)
      fillEmpty(form, main_controls::kThreads, std::to_string(form.facts.sheet.cores));
    return;
  }
  const DataSheet& sheet = form.facts.sheet;
  if (vendor == "AMD" && sheet.cores > 0 &&
      std::find(std::begin(kSmtOnEveryCore), std::end(kSmtOnEveryCore), microarchitecture) != std::end(kSmtOnEveryCore))
    fillEmpty(form, main_controls::kThreads, std::to_string(2 * sheet.cores));
  if (sheet.coreTypes)
    if (const int hybrid = hybridThreads(vendor, microarchitecture, *sheet.coreTypes))
      fillEmpty(form, main_controls::kThreads, std::to_string(hybrid));
}

// Where the sheet lists no technologies: what every processor of its
// microarchitecture and product line has, and HT or SMT where the threads
// outnumber the cores.
void fillTechnologies(TForm15& form, const Microarchitecture& micro, std::string_view productLine) {
  if (!form.facts.sheet.technologies.empty()) return;
  const auto [vendor, microarchitecture] = micro;
  std::vector<std::string> technologies =
      base::splitAtCommas(microarchitectureTechnologies(vendor, microarchitecture, productLine));
  if (technologies.empty()) return;
  const DataSheet& sheet = form.facts.sheet;
  if (sheet.cores > 0 && sheet.threads > sheet.cores) technologies.emplace_back(vendor == "Intel" ? "HT" : "SMT");
  setSheetField(form, main_controls::kTechnologies, base::joinWithCommas(technologies));
}

// A catalogue record of a die without an L3 shows its stored L2 size as L2.
void markStoredL2(TForm15& form) {
  const std::string& cache = form[main_controls::kL3Cache].text;
  const DataSheet& sheet = form.facts.sheet;
  if (!sheet.cache || sheet.cache->level != 3) return;
  for (const std::string_view l2Only : kL2OnlyCodeNames)
    if (sheet.codeName == l2Only) return setSheetField(form, main_controls::kL3Cache, cache + std::string(kL2Mark));
}

// What the brand string itself says of the processor, where the sheet's
// source left the field empty: its cores ("8-Core Processor", "24-Cores")
// and its graphics ("w/ Radeon 780M Graphics").
void fillFromBrandString(TForm15& form) {
  const auto line = readBrandLine(form[main_controls::kBrandString].text);
  if (!line) return;
  if (line->cores > 0) fillEmpty(form, main_controls::kCores, std::to_string(line->cores));
  fillEmpty(form, main_controls::kGraphics, line->graphics);
}

void fillFromRow(TForm15& form, const ExtendedRow& row) {
  for (const RowField& f : kRowFields) setSheetField(form, f.control, std::string(row.*f.field));
  form.facts.sheet.coreTypes = coreTypesOf(row);
  fillFromBrandString(form);
  // What the row leaves open of the code name, lithography and technologies,
  // the family/model and microarchitecture tables may know.
  const Microarchitecture micro =
      microarchitectureOf(form, fillFromFamilyModel(form, identifiedDie(form), row.key), row.vendor);
  fillAbsences(form, micro);
  fillTechnologies(form, micro, row.productLine);
  form[main_controls::kPhotoSocket].text = form[main_controls::kSocket].text;
  // The brand string's own base clock stays where the row gives none.
  if (!row.baseClock.empty()) setSheetField(form, main_controls::kBaseClock, std::string(row.baseClock));
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
}

// Whether `codeName` is the die's, or one of the dies a row of the
// family/model table cannot tell apart ("Prescott / Smithfield / Nocona").
bool oneOfTheDies(std::string_view codeName, std::string_view dies) {
  constexpr std::string_view kBetween = " / ";
  while (true) {
    const std::size_t at = dies.find(kBetween);
    if (sameCodeName(codeName, dies.substr(0, at))) return true;
    if (at == std::string_view::npos) return false;
    dies.remove_prefix(at + kBetween.size());
  }
}

// The rows of the extended table that the brand string's line and clock
// name and whose code name is the identifier's die's: without the die, a row
// of that line and clock could be another die's, and none answers.
std::vector<ExtendedRow> candidatesOf(const BrandLine& line, const std::optional<FamilyModelRow>& die) {
  std::vector<ExtendedRow> rows;
  if (line.productLine.empty() || !die) return rows;
  const std::string clock = line.clockMhz > 0 ? clockText(line.clockMhz) : std::string();
  for (const ExtendedRow& row : extendedRowsOfLine(line.productLine)) {
    if (row.vendor != line.vendor || row.codeName.empty()) continue;
    if (!clock.empty() && row.baseClock != clock) continue;
    if (oneOfTheDies(row.codeName, die->codeName)) rows.push_back(row);
  }
  return rows;
}

// The sheet of a brand string that no row's model number matches: every
// field the candidate rows share, the line, clock and core count the brand
// string writes, the code name, lithography and segment of the identifier's
// die, the technologies of its microarchitecture. False, with the form
// unchanged, where the brand string names no line and the identifier no die.
bool fillFromBrand(TForm15& form, const std::optional<ModelNumberReading>& reading) {
  const auto line = readBrandLine(form[main_controls::kBrandString].text);
  const auto die = identifiedDie(form);
  if ((!line || line->productLine.empty()) && !die) return false;
  const std::vector<ExtendedRow> candidates = line ? candidatesOf(*line, die) : std::vector<ExtendedRow>{};
  if (form.trace)
    form.trace->brandSheet = BrandSheetTrace{.productLine = line ? line->productLine : std::string(),
                                             .clockMhz = line ? line->clockMhz : 0,
                                             .die = die ? std::string(die->codeName) : std::string(),
                                             .dieCertain = die && die->certain,
                                             .candidates = candidates.size()};
  for (const RowField& f : kRowFields) {
    if (candidates.empty()) break;
    const std::string_view shared = candidates.front().*f.field;
    bool agree = !shared.empty();
    for (const ExtendedRow& row : candidates) agree = agree && row.*f.field == shared;
    if (agree) setSheetField(form, f.control, std::string(shared));
  }
  if (!candidates.empty() && std::all_of(candidates.begin(), candidates.end(), [&](const ExtendedRow& row) {
        return coreTypesOf(row) == coreTypesOf(candidates.front());
      }))
    form.facts.sheet.coreTypes = coreTypesOf(candidates.front());
  if (line) fillEmpty(form, main_controls::kProductLine, line->productLine);
  const std::string& productLine = form.facts.sheet.productLine;
  fillFromBrandString(form);
  if (line && line->clockMhz > 0) fillEmpty(form, main_controls::kBaseClock, clockText(line->clockMhz));
  const Microarchitecture micro = microarchitectureOf(
      form, fillFromFamilyModel(form, die, reading ? std::string_view(reading->key) : std::string_view()));
  fillAbsences(form, micro);
  fillTechnologies(form, micro, productLine);
  form[main_controls::kPhotoSocket].text = form[main_controls::kSocket].text;
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
  if (reading) {
    showModelNumber(form, *reading);
  } else if (!productLine.empty()) {
    // The processor field shows what is known: the line, without its maker.
    const std::string_view known = std::string_view(productLine).substr(productLine.find(' ') + 1);
    ModelNumberReading lineOnly;
    lineOnly.shown = std::string(known);
    showModelNumber(form, lineOnly);
  }
  return true;
}

void fillFromMachine(TForm15& form, const platform::MachineFacts& machine,
                     const std::optional<ModelNumberReading>& reading) {
  if (machine.cores > 0) setSheetField(form, main_controls::kCores, std::to_string(machine.cores));
  if (machine.threads > 0) setSheetField(form, main_controls::kThreads, std::to_string(machine.threads));
  if (machine.l3Bytes) setSheetField(form, main_controls::kL3Cache, platform::cacheText(*machine.l3Bytes));
  if (machine.maxMhz > 0) setSheetField(form, main_controls::kTurboClock, clockText(machine.maxMhz));
  const CoreTypes kinds{machine.performanceCores, machine.efficientCores, machine.lowPowerCores};
  if ((kinds.performance > 0) + (kinds.efficient > 0) + (kinds.lowPower > 0) >= 2) form.facts.sheet.coreTypes = kinds;
  fillFromBrandString(form);
  setSheetField(form, main_controls::kTechnologies, base::joinWithCommas(machine.technologies));
  fillFromFamilyModel(form, identifiedDie(form), reading ? std::string_view(reading->key) : std::string_view());
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
  if (reading) showModelNumber(form, *reading);
}

}  // namespace

const char* sheetSourceName(SheetSource source) {
  switch (source) {
    case SheetSource::Catalogue:
      return "catalogue";
    case SheetSource::Extended:
      return "extended";
    case SheetSource::Machine:
      return "machine";
    case SheetSource::Brand:
      return "brand";
    case SheetSource::None:
      break;
  }
  return "";
}

void refineModelKey(TForm15& form, const SecondSources& sources) {
  if (!sources.consult) return;
  const std::string& key = form[main_controls::kModelKey].text;
  if (key.empty()) return;
  // Only a brand string that writes the key with a letter after it can
  // name a longer model; the others need no reading.
  const std::string& brand = form[main_controls::kBrandString].text;
  bool longer = false;
  for (auto at = brand.find(key); at != std::string::npos && !longer; at = brand.find(key, at + 1))
    longer = at + key.size() < brand.size() && std::isalpha(static_cast<unsigned char>(brand[at + key.size()]));
  if (!longer) return;
  const auto& reading = modelNumberOf(form);
  if (!reading || reading->shown.size() <= key.size() || !reading->shown.starts_with(key)) return;
  if (!onlyLetters(std::string_view(reading->shown).substr(key.size()))) return;
  if (!findExtendedRow(reading->vendor, reading->key)) return;
  traceRow(form, true);
  if (form.trace) form.trace->modelNumber->refined = true;
  showModelNumber(form, *reading);
}

bool fillFromExtendedKey(TForm15& form, std::string_view key) {
  const auto row = findExtendedRow(key);
  if (!row) return false;
  fillFromRow(form, *row);
  form[main_controls::kModelKey].text = form[main_controls::kPhotoModelKey].text = std::string(key);
  form.facts.sheet.source = SheetSource::Extended;
  return true;
}

void fillFromSecondSources(TForm15& form, const SecondSources& sources) {
  if (!sources.consult) return;
  if (form.trace) form.trace->secondSourcesConsulted = true;
  if (form.facts.sheet.source == SheetSource::Catalogue) {
    markStoredL2(form);
    // The record keeps its fields; a hybrid's kinds of core, which no record
    // lists, come from the extended table's row of the same model.
    if (const auto row = findExtendedRow(form[main_controls::kModelKey].text))
      form.facts.sheet.coreTypes = coreTypesOf(*row);
  }
  if (form.facts.sheet.source != SheetSource::None) return;
  const auto& reading = modelNumberOf(form);
  const auto row = reading ? findExtendedRow(reading->vendor, reading->key) : std::nullopt;
  traceRow(form, row.has_value());
  if (row) {
    fillFromRow(form, *row);
    showModelNumber(form, *reading);
    form.facts.sheet.source = SheetSource::Extended;
    return;
  }
  const bool fromBrand = fillFromBrand(form, reading);
  if (sources.machine) {
    fillFromMachine(form, sources.machine->read(), reading);
    form.facts.sheet.source = SheetSource::Machine;
  } else if (fromBrand) {
    form.facts.sheet.source = SheetSource::Brand;
  }
}

}  // namespace wexmora
