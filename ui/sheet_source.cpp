#include "ui/sheet_source.h"

#include <string>

namespace wexmora {
namespace {

// clang-format off
// source                 Russian                                                    English
constexpr SheetSourceTexts kTexts[] = {
  {SheetSource::Extended, "Данные из расширенной таблицы (процессора нет в каталоге)", "Data from the extended table (the processor is not in the catalogue)"},
  {SheetSource::Machine,  "Данные сообщила сама система (процессора нет в таблицах)",  "Data reported by the system itself (the processor is in no table)"},
};
// clang-format on

constexpr std::string_view kMemoBreak = "\r\n";

// Drops a note line that a run before left at the end of the memo.
void dropNote(std::string& memo) {
  for (const SheetSourceTexts& row : kTexts)
    for (const std::string_view note : {row.russian, row.english}) {
      const std::string line = std::string(kMemoBreak) + std::string(note);
      if (memo == note) return memo.clear();
      if (memo.size() >= line.size() && memo.ends_with(line)) return memo.resize(memo.size() - line.size());
    }
}

}  // namespace

std::span<const SheetSourceTexts> sheetSourceTexts() { return kTexts; }

void markSheetSource(TForm15& form) {
  for (const SheetSourceTexts& row : kTexts) {
    if (row.source != form.sheetSource) continue;
    const std::string_view note = form.comboIndex == 1 ? row.english : row.russian;
    std::string& hint = form["Edit7"].hint;
    const std::string hintLine = "\r" + std::string(note);
    if (!hint.ends_with(hintLine)) hint += hintLine;
    std::string& memo = form["Memo2"].text;
    dropNote(memo);
    memo += (memo.empty() ? std::string() : std::string(kMemoBreak)) + std::string(note);
  }
}

}  // namespace wexmora
