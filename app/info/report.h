#pragma once
// What wexmora-info prints after the pass: the data sheet as aligned
// "caption: value" lines or as JSON, rendered from the typed sheet
// (form.facts.sheet: its values, its source of four, the technologies as a
// list) and the fields' texts as the window shows them, and a dump of every
// control.
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "core/model/form_model.h"

namespace wexmora::info {

// One line of the data sheet: its JSON key, the label that captions it in
// the window (none for the brand string) and the field that shows it.
struct SheetRow {
  const char* key;
  const char* caption;
  const char* field;
};
std::span<const SheetRow> dataSheetRows();

// A sheet from the extended table or the machine's facts gets a line that
// says so, before the technologies.
std::string dataSheetText(const TForm15& form);
// withSource: a "source" member after "identified" ("catalogue", "extended",
// "machine" or null); off with --catalogue-only.
nlohmann::ordered_json dataSheetJson(const TForm15& form, bool withSource = false);
// The same value as one line of compact JSON, the bytes dump() gives, ended
// by a newline: --brands writes it without building the value.
std::string dataSheetJsonLine(const TForm15& form, bool withSource = false);
nlohmann::ordered_json controlsJson(const TForm15& form);

// One line of --brands: brand string, model key, catalogue key or "-", badge
// index or "-", product line, separated by tabs and ended by a newline. A tab
// inside a field is written "\t" and a backslash "\\", so the columns hold.
// withSource: the source ("catalogue", "extended", "machine" or "-") as a
// last column.
std::string dataSheetRow(const TForm15& form, bool withSource = false);

// The same columns unescaped, in that order, for every other form of a row.
std::vector<std::string> dataSheetColumns(const TForm15& form, bool withSource = false);

// --brands --csv: a header row, then one RFC 4180 record per line (CR LF
// ends each, a field with a comma, quote or line break is quoted).
std::string dataSheetCsvHeader(bool withSource = false);
std::string dataSheetCsvRow(const TForm15& form, bool withSource = false);

}  // namespace wexmora::info
