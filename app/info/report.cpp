#include "app/info/report.h"

#include <algorithm>
#include <string_view>
#include <tuple>
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

namespace {

// The data sheet's members, in order, told to `out`: a JSON value to build
// (ValueOut) or its compact text to write (TextOut, for --brands).
template <typename Out>
void writeDataSheet(const TForm15& form, bool withSource, Out& out) {
  const DataSheet& facts = form.facts.sheet;
  out.beginObject();
  for (const auto& row : kSheet) {
    out.key(row.key);
    if (std::string_view(row.key) == "technologies")
      out.strings(identified(form) ? facts.technologies : std::vector<std::string>{});
    else
      out.string(form[row.field].text);
    // A hybrid's cores by kind, after its cores and threads.
    if (std::string_view(row.key) == "threads" && facts.coreTypes) {
      out.key("core_types");
      out.beginObject();
      out.key("performance");
      out.number(facts.coreTypes->performance);
      out.key("efficient");
      out.number(facts.coreTypes->efficient);
      out.key("low_power");
      out.number(facts.coreTypes->lowPower);
      out.endObject();
    }
  }
  for (const auto& [key, picture, source] :
       {std::tuple{"badge", &form[main_controls::kBadgeImage].picture, PictureSource::Badges},
        std::tuple{"qr", &form[main_controls::kQrImage].picture, PictureSource::Qr}}) {
    out.key(key);
    picture->source == source ? out.number(picture->index) : out.null();
  }
  out.key("links");
  out.beginObject();
  out.key("front");
  out.string(form.frontUrl);
  out.key("back");
  out.string(form.backUrl);
  out.key("detailed");
  out.string(form.detailedUrl);
  out.endObject();
  out.key("identified");
  out.boolean(identified(form));
  if (withSource) {
    const std::string source = sheetSourceName(facts.source);
    out.key("source");
    source.empty() ? out.null() : out.string(source);
  }
  out.endObject();
}

class ValueOut {
 public:
  nlohmann::ordered_json value;

  void beginObject() { open_.push_back(&place(nlohmann::ordered_json::object())); }
  void endObject() { open_.pop_back(); }
  void key(std::string_view key) { key_ = key; }
  void string(const std::string& text) { place(text); }
  void strings(const std::vector<std::string>& texts) { place(texts); }
  void number(int n) { place(n); }
  void boolean(bool b) { place(b); }
  void null() { place(nullptr); }

 private:
  nlohmann::ordered_json& place(nlohmann::ordered_json member) {
    if (open_.empty()) return value = std::move(member);
    return (*open_.back())[key_] = std::move(member);
  }
  std::vector<nlohmann::ordered_json*> open_;
  std::string key_;
};

// Writes what nlohmann::ordered_json::dump() writes for the same value:
// compact, malformed UTF-8 replaced.
class TextOut {
 public:
  std::string text;

  void beginObject() {
    separate();
    text += '{';
    first_ = true;
  }
  void endObject() {
    text += '}';
    first_ = false;
  }
  void key(std::string_view key) {
    separate();
    quoted(key);
    text += ':';
    first_ = true;  // the value follows the colon
  }
  void string(std::string_view value) {
    separate();
    quoted(value);
  }
  void strings(const std::vector<std::string>& values) {
    separate();
    text += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (i > 0) text += ',';
      quoted(values[i]);
    }
    text += ']';
  }
  void number(int n) {
    separate();
    text += std::to_string(n);
  }
  void boolean(bool b) {
    separate();
    text += b ? "true" : "false";
  }
  void null() {
    separate();
    text += "null";
  }

 private:
  void separate() {
    if (!std::exchange(first_, false)) text += ',';
  }
  void quoted(std::string_view value) {
    // Text beyond ASCII is nlohmann's to write: it decides what a malformed
    // sequence becomes.
    if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
      text += nlohmann::ordered_json(std::string(value))
                  .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
      return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    text += '"';
    std::size_t plain = 0;  // where the characters not yet written begin
    for (std::size_t i = 0; i < value.size(); ++i) {
      const auto byte = static_cast<unsigned char>(value[i]);
      if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
      text.append(value, plain, i - plain);
      plain = i + 1;
      switch (byte) {
        case '"':
          text += "\\\"";
          break;
        case '\\':
          text += "\\\\";
          break;
        case '\b':
          text += "\\b";
          break;
        case '\f':
          text += "\\f";
          break;
        case '\n':
          text += "\\n";
          break;
        case '\r':
          text += "\\r";
          break;
        case '\t':
          text += "\\t";
          break;
        default: {
          const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
          text.append(escape, sizeof escape);
        }
      }
    }
    text.append(value, plain);
    text += '"';
  }
  bool first_ = true;
};

}  // namespace

nlohmann::ordered_json dataSheetJson(const TForm15& form, bool withSource) {
  ValueOut out;
  writeDataSheet(form, withSource, out);
  return std::move(out.value);
}

std::string dataSheetJsonLine(const TForm15& form, bool withSource) {
  TextOut out;
  writeDataSheet(form, withSource, out);
  return std::move(out.text) + "\n";
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
