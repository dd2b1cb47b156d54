#include "app/info/report.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "base/join.h"
#include "base/trim.h"
#include "base/utf8.h"
#include "core/extended/second_source.h"
#include "core/model/control_names.h"
#include "core/texts/texts.h"
#include "core/window/core_types.h"
#include "core/window/localisation.h"
#include "core/window/sheet_notes.h"
#include "core/window/sheet_source.h"

namespace wexmora::info {
namespace {

using namespace main_controls;  // the tables name the controls by their meaning

// clang-format off
// key                caption                 field
constexpr SheetRow kSheet[] = {
  {"brand",           nullptr,                kBrandString},
  {"family",          kFamilyCaption,         kFamily},
  {"model",           kModelCaption,          kModel},
  {"stepping",        kSteppingCaption,       kStepping},
  {"model_key",       kModelKeyCaption,       kModelKey},
  {"product_line",    kProductLineCaption,    kProductLine},
  {"base_frequency",  kBaseClockCaption,      kBaseClock},
  {"turbo_frequency", kTurboClockCaption,     kTurboClock},
  {"cores",           kCoresCaption,          kCores},
  {"threads",         kThreadsCaption,        kThreads},
  {"socket",          kSocketCaption,         kSocket},
  {"segment",         kSegmentCaption,        kSegment},
  {"code_name",       kCodeNameCaption,       kCodeName},
  {"max_temperature", kMaxTemperatureCaption, kMaxTemperature},
  {"lithography",     kLithographyCaption,    kLithography},
  {"memory",          kMemoryCaption,         kMemory},
  {"graphics",        kGraphicsCaption,       kGraphics},
  {"l3_cache",        kL3CacheCaption,        kL3Cache},
  {"pcie",            kPcieCaption,           kPcie},
  {"technologies",    kTechnologiesCaption,   kTechnologies},
};
// clang-format on

bool identified(const TForm15& form) { return form.facts.sheet.source != SheetSource::None; }

bool fromOtherSource(const TForm15& form) { return outsideCatalogue(form.facts.sheet.source); }

Language languageOf(const TForm15& form) { return windowLanguage(form); }

std::string sourceCaption(const TForm15& form) {
  return std::string(textOf(TextId::InfoSourceCaption, languageOf(form)));
}

std::string sourceColumn(const TForm15& form) {
  const std::string source = sheetSourceName(form.facts.sheet.source);
  return source.empty() ? "-" : source;
}

std::string brandCaption(const TForm15& form) {
  return std::string(textOf(TextId::InfoBrandCaption, languageOf(form)));
}

nlohmann::ordered_json pictureIndex(const Picture& picture, PictureSource source) {
  return picture.source == source ? nlohmann::ordered_json(picture.index) : nlohmann::ordered_json(nullptr);
}

// The memo of a catalogue sheet is the record's list; another source's
// memo adds the note, which the text shows on a line of its own.
std::string technologiesLine(const TForm15& form) {
  return fromOtherSource(form) ? base::joinWithCommas(form.facts.sheet.technologies) : memoWithoutNotes(form);
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "label";
    case ControlKind::Edit:
      return "edit";
    case ControlKind::Memo:
      return "memo";
    case ControlKind::ComboBox:
      return "combobox";
    case ControlKind::Button:
      return "button";
    case ControlKind::SpeedButton:
      return "speedbutton";
    case ControlKind::GroupBox:
      return "groupbox";
    case ControlKind::Panel:
      return "panel";
    case ControlKind::Image:
      return "image";
  }
  return "";
}

nlohmann::ordered_json pictureJson(const Picture& picture) {
  switch (picture.source) {
    case PictureSource::None:
      return nullptr;
    case PictureSource::Badges:
      return {{"list", "badges"}, {"index", picture.index}};
    case PictureSource::Qr:
      return {{"list", "qr"}, {"index", picture.index}};
    case PictureSource::Design:
      return {{"list", "design"}, {"index", picture.index}};
  }
  return nullptr;
}

}  // namespace

std::span<const SheetRow> dataSheetRows() { return kSheet; }

std::string dataSheetText(const TForm15& form) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (const auto& row : kSheet) {
    std::string caption = row.caption ? std::string(base::trim(form[row.caption].text)) : brandCaption(form);
    std::replace(caption.begin(), caption.end(), '\r', ' ');
    std::string value =
        row.field == std::string_view(main_controls::kTechnologies) ? technologiesLine(form) : form[row.field].text;
    if (row.field == std::string_view(main_controls::kTechnologies) && !sheetSourceNote(form).empty())
      lines.emplace_back(sourceCaption(form) + ":", std::string(sheetSourceNote(form)));
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    lines.emplace_back(caption + ":", value);
    if (row.field == std::string_view(main_controls::kCores) && form.facts.sheet.coreTypes)
      lines.emplace_back(std::string(textOf(TextId::CoreTypesCaption, languageOf(form))) + ":",
                         coreTypesText(*form.facts.sheet.coreTypes, languageOf(form)));
  }
  // The long technologies caption stands on its own and does not widen the column.
  std::size_t width = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) width = std::max(width, base::utf8Length(lines[i].first));
  std::string out;
  for (const auto& [caption, value] : lines)
    out += caption + std::string(std::max(width, base::utf8Length(caption)) - base::utf8Length(caption) + 1, ' ') +
           value + "\n";
  return out;
}

nlohmann::ordered_json dataSheetJson(const TForm15& form, bool withSource) {
  nlohmann::ordered_json sheet;
  for (const auto& row : kSheet) {
    if (std::string_view(row.key) == "technologies")
      sheet[row.key] = identified(form) ? form.facts.sheet.technologies : std::vector<std::string>{};
    else
      sheet[row.key] = form[row.field].text;
    // A hybrid's cores by kind, after its cores and threads.
    if (std::string_view(row.key) == "threads" && form.facts.sheet.coreTypes)
      sheet["core_types"] = {{"performance", form.facts.sheet.coreTypes->performance},
                             {"efficient", form.facts.sheet.coreTypes->efficient},
                             {"low_power", form.facts.sheet.coreTypes->lowPower}};
  }
  sheet["badge"] = pictureIndex(form[main_controls::kBadgeImage].picture, PictureSource::Badges);
  sheet["qr"] = pictureIndex(form[main_controls::kQrImage].picture, PictureSource::Qr);
  sheet["links"] = {{"front", form.frontUrl}, {"back", form.backUrl}, {"detailed", form.detailedUrl}};
  sheet["identified"] = identified(form);
  if (withSource) {
    const std::string source = sheetSourceName(form.facts.sheet.source);
    sheet["source"] = source.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(source);
  }
  return sheet;
}

std::vector<std::string> dataSheetColumns(const TForm15& form, bool withSource) {
  const Picture& badge = form[main_controls::kBadgeImage].picture;
  const DataSheet& sheet = form.facts.sheet;
  std::vector<std::string> columns = {form[main_controls::kBrandString].text, form[main_controls::kModelKey].text,
                                      sheet.catalogueEntry ? sheet.catalogueKey : "-",
                                      badge.source == PictureSource::Badges ? std::to_string(badge.index) : "-",
                                      form[main_controls::kProductLine].text};
  if (withSource) columns.push_back(sourceColumn(form));
  return columns;
}

std::string dataSheetRow(const TForm15& form, bool withSource) {
  std::string out;
  bool first = true;
  for (const std::string& column : dataSheetColumns(form, withSource)) {
    if (!std::exchange(first, false)) out += '\t';
    for (const char c : column) {
      if (c == '\t')
        out += "\\t";
      else if (c == '\\')
        out += "\\\\";
      else
        out += c;
    }
  }
  return out + "\n";
}

namespace {

// A record of RFC 4180: fields quoted where they hold a comma, a quote or a
// line break, a quote doubled, the record ended by CR LF.
std::string csvRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    const std::string& field = fields[i];
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
      out += field;
      continue;
    }
    out += '"';
    for (const char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    out += '"';
  }
  return out + "\r\n";
}

}  // namespace

std::string dataSheetCsvHeader(bool withSource) {
  std::vector<std::string> names = {"brand", "model_key", "catalogue_key", "badge", "product_line"};
  if (withSource) names.emplace_back("source");
  return csvRecord(names);
}

std::string dataSheetCsvRow(const TForm15& form, bool withSource) {
  return csvRecord(dataSheetColumns(form, withSource));
}

nlohmann::ordered_json controlsJson(const TForm15& form) {
  nlohmann::ordered_json controls = nlohmann::ordered_json::object();
  for (const auto& c : form.controls()) {
    nlohmann::ordered_json entry = {{"kind", kindName(c.kind)}, {"parent", c.parent},
                                    {"text", c.text},           {"hint", c.hint},
                                    {"left", c.left},           {"top", c.top},
                                    {"width", c.width},         {"height", c.height},
                                    {"visible", c.visible},     {"picture", pictureJson(c.picture)}};
    if (c.name == main_controls::kLanguage) {  // its edit part shows the selected item
      const bool selected = form.comboIndex >= 0 && form.comboIndex < static_cast<int>(form.comboItems.size());
      entry["text"] = selected ? form.comboItems[static_cast<std::size_t>(form.comboIndex)] : "";
      entry["index"] = form.comboIndex;
      entry["items"] = form.comboItems;
    }
    controls[c.name] = entry;
  }
  return {{"caption", form.caption},
          {"error", form.passError.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(form.passError)},
          {"controls", controls},
          {"links", {{"front", form.frontUrl}, {"back", form.backUrl}, {"detailed", form.detailedUrl}}}};
}

}  // namespace wexmora::info
