#include "core/window/sheet_source.h"

#include <string>

#include "core/model/control_names.h"
#include "core/texts/texts.h"

namespace wexmora {
namespace {

// The note of each source in both languages.
const SheetSourceTexts kTexts[] = {
    {SheetSource::Extended, textOf(TextId::SourceExtended, Language::Russian),
     textOf(TextId::SourceExtended, Language::English)},
    {SheetSource::Machine, textOf(TextId::SourceMachine, Language::Russian),
     textOf(TextId::SourceMachine, Language::English)},
    {SheetSource::Brand, textOf(TextId::SourceBrand, Language::Russian),
     textOf(TextId::SourceBrand, Language::English)},
};

constexpr std::string_view kMemoBreak = "\r\n";

// The length of the memo without a note line that ends it.
std::size_t lengthWithoutNote(std::string_view memo) {
  for (const SheetSourceTexts& row : kTexts)
    for (const std::string_view note : {row.russian, row.english}) {
      if (memo == note) return 0;
      if (memo.ends_with(note) && memo.substr(0, memo.size() - note.size()).ends_with(kMemoBreak))
        return memo.size() - note.size() - kMemoBreak.size();
    }
  return memo.size();
}

}  // namespace

std::span<const SheetSourceTexts> sheetSourceTexts() { return kTexts; }

void markSheetSource(TForm15& form) {
  for (const SheetSourceTexts& row : kTexts) {
    if (row.source != form.facts.sheetSource) continue;
    const std::string_view note = form.comboIndex == 1 ? row.english : row.russian;
    std::string& hint = form[main_controls::kModelKey].hint;
    const std::string hintLine = "\r" + std::string(note);
    if (!hint.ends_with(hintLine)) hint += hintLine;
    std::string& memo = form[main_controls::kTechnologies].text;
    memo.resize(lengthWithoutNote(memo));
    // The no-record text that the language routine put in an empty memo
    // would deny the sheet shown: the note stands alone instead.
    if (memo == textOf(TextId::NoRecord, Language::Russian) || memo == textOf(TextId::NoRecord, Language::English))
      memo.clear();
    memo += (memo.empty() ? std::string() : std::string(kMemoBreak)) + std::string(note);
  }
}

std::string_view sheetSourceNote(const TForm15& form) {
  for (const SheetSourceTexts& row : kTexts)
    if (row.source == form.facts.sheetSource) return form.comboIndex == 1 ? row.english : row.russian;
  return {};
}

}  // namespace wexmora
