#include "core/extended/second_source.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "base/join.h"
#include "core/extended/extended_table.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"

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

// The code name and lithography of the family/model table, where the
// processor's identifier names a family and model the table knows.
void fillFromFamilyModel(TForm15& form, platform::Vendor vendor) {
  const std::optional<FamilyModel> identity = form.facts.familyModel();
  if (!identity) return;
  const auto row = findFamilyModelRow(vendor, identity->family, identity->model);
  if (!row) return;
  if (form[main_controls::kCodeName].text.empty()) form[main_controls::kCodeName].text = std::string(row->codeName);
  if (form[main_controls::kLithography].text.empty())
    form[main_controls::kLithography].text = std::string(row->lithography);
}

void fillFromRow(TForm15& form, const ExtendedRow& row) {
  for (const RowField& f : kRowFields) form[f.control].text = std::string(row.*f.field);
  form.facts.technologies = base::splitAtCommas(row.technologies);
  // What the row leaves open of the code name and lithography, the family/model table may know.
  fillFromFamilyModel(form, row.vendor);
  form[main_controls::kPhotoSocket].text = form[main_controls::kSocket].text;
  // The brand string's own base clock stays where the row gives none.
  if (!row.baseClock.empty()) form[main_controls::kBaseClock].text = std::string(row.baseClock);
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
}

void fillFromMachine(TForm15& form, const platform::MachineFacts& machine,
                     const std::optional<ModelNumberReading>& reading) {
  if (machine.cores > 0) form[main_controls::kCores].text = std::to_string(machine.cores);
  if (machine.threads > 0) form[main_controls::kThreads].text = std::to_string(machine.threads);
  if (machine.l3Bytes) form[main_controls::kL3Cache].text = platform::cacheText(*machine.l3Bytes);
  if (machine.maxMhz > 0) form[main_controls::kTurboClock].text = clockText(machine.maxMhz);
  form.facts.technologies = machine.technologies;
  form[main_controls::kTechnologies].text = base::joinWithCommas(machine.technologies);
  fillFromFamilyModel(form, form.facts.vendor);
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
    case SheetSource::None:
      break;
  }
  return "";
}

std::string clockText(int megahertz) {
  const int hundredths = (megahertz + 5) / 10;  // rounded to 10 MHz
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d GHz", hundredths / 100, hundredths % 100);
  return text;
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
  form.facts.sheetSource = SheetSource::Extended;
  return true;
}

void fillFromSecondSources(TForm15& form, const SecondSources& sources) {
  if (!sources.consult) return;
  if (form.trace) form.trace->secondSourcesConsulted = true;
  if (form.facts.sheetSource != SheetSource::None) return;
  const auto& reading = modelNumberOf(form);
  const auto row = reading ? findExtendedRow(reading->vendor, reading->key) : std::nullopt;
  traceRow(form, row.has_value());
  if (row) {
    fillFromRow(form, *row);
    showModelNumber(form, *reading);
    form.facts.sheetSource = SheetSource::Extended;
  } else if (sources.machine) {
    fillFromMachine(form, sources.machine->read(), reading);
    form.facts.sheetSource = SheetSource::Machine;
  }
}

}  // namespace wexmora
