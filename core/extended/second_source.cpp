#include "core/extended/second_source.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "base/join.h"
#include "core/extended/extended_table.h"
#include "core/model/control_names.h"
#include "core/model/pass_trace.h"

namespace wexmora {
namespace {

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

bool onlyLetters(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

std::optional<ModelNumberReading> readShownProcessor(const TForm15& form) {
  return readModelNumber(form[main_controls::kBrandString].text, shownFamilyModel(form));
}

void traceReading(TForm15& form, const std::optional<ModelNumberReading>& reading, bool rowFound) {
  if (!form.trace) return;
  ModelNumberTrace& t = form.trace->modelNumber.emplace();
  t.catalogueKey = form[main_controls::kModelKey].text;
  if (!reading) return;
  t.read = true;
  t.rule = std::string(reading->rule);
  t.number = reading->number;
  t.key = reading->key;
  t.shown = reading->shown;
  t.rowFound = rowFound;
}

void showModelNumber(TForm15& form, const ModelNumberReading& reading) {
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
void fillFromFamilyModel(TForm15& form, CpuVendor vendor) {
  const std::optional<FamilyModel> identity = shownFamilyModel(form);
  if (!identity) return;
  const auto row = findFamilyModelRow(vendor, identity->family, identity->model);
  if (!row) return;
  if (form[main_controls::kCodeName].text.empty()) form[main_controls::kCodeName].text = std::string(row->codeName);
  if (form[main_controls::kLithography].text.empty())
    form[main_controls::kLithography].text = std::string(row->lithography);
}

void fillFromRow(TForm15& form, const ExtendedRow& row) {
  for (const RowField& f : kRowFields) form[f.control].text = std::string(row.*f.field);
  // What the row leaves open of the code name and lithography, the family/model table may know.
  fillFromFamilyModel(form, row.vendor == "AMD" ? CpuVendor::Amd : CpuVendor::Intel);
  form[main_controls::kPhotoSocket].text = form[main_controls::kSocket].text;
  // The brand string's own base clock stays where the row gives none.
  if (!row.baseClock.empty()) form[main_controls::kBaseClock].text = std::string(row.baseClock);
  form[main_controls::kPhotoBaseClock].text = form[main_controls::kBaseClock].text;
}

CpuVendor vendorOf(const TForm15& form, const std::optional<ModelNumberReading>& reading) {
  if (reading) return reading->vendor;
  return form[main_controls::kBrandString].text.find("AMD") != std::string::npos ? CpuVendor::Amd : CpuVendor::Intel;
}

void fillFromMachine(TForm15& form, const platform::MachineFacts& facts,
                     const std::optional<ModelNumberReading>& reading) {
  if (facts.cores > 0) form[main_controls::kCores].text = std::to_string(facts.cores);
  if (facts.threads > 0) form[main_controls::kThreads].text = std::to_string(facts.threads);
  if (facts.l3Bytes) form[main_controls::kL3Cache].text = platform::cacheText(*facts.l3Bytes);
  if (facts.maxMhz > 0) form[main_controls::kTurboClock].text = clockText(facts.maxMhz);
  form[main_controls::kTechnologies].text = base::joinWithCommas(facts.technologies);
  fillFromFamilyModel(form, vendorOf(form, reading));
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

std::optional<FamilyModel> shownFamilyModel(const TForm15& form) {
  const auto family = number(form[main_controls::kFamily].text);
  const auto model = number(form[main_controls::kModel].text);
  if (!family || !model) return std::nullopt;
  return FamilyModel{*family, *model};
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
  const auto reading = readShownProcessor(form);
  if (!reading || reading->shown.size() <= key.size() || !reading->shown.starts_with(key)) return;
  if (!onlyLetters(std::string_view(reading->shown).substr(key.size()))) return;
  if (!findExtendedRow(reading->vendor, reading->key)) return;
  if (form.trace) {
    traceReading(form, reading, true);
    form.trace->modelNumber->refined = true;
  }
  showModelNumber(form, *reading);
}

bool fillFromExtendedKey(TForm15& form, std::string_view key) {
  const auto row = findExtendedRow(key);
  if (!row) return false;
  fillFromRow(form, *row);
  form[main_controls::kModelKey].text = form[main_controls::kPhotoModelKey].text = std::string(key);
  form.sheetSource = SheetSource::Extended;
  return true;
}

void fillFromSecondSources(TForm15& form, const SecondSources& sources) {
  if (form.sheetSource != SheetSource::None || !sources.consult) {
    if (form.trace && sources.consult) form.trace->source = sheetSourceName(form.sheetSource);
    return;
  }
  const auto reading = readShownProcessor(form);
  const auto row = reading ? findExtendedRow(reading->vendor, reading->key) : std::nullopt;
  if (form.trace && !(form.trace->modelNumber && form.trace->modelNumber->refined))
    traceReading(form, reading, row.has_value());
  if (row) {
    fillFromRow(form, *row);
    showModelNumber(form, *reading);
    form.sheetSource = SheetSource::Extended;
  } else if (sources.machine) {
    fillFromMachine(form, sources.machine->read(), reading);
    form.sheetSource = SheetSource::Machine;
  }
  if (form.trace) form.trace->source = sheetSourceName(form.sheetSource);
}

}  // namespace wexmora
