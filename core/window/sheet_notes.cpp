#include "core/window/sheet_notes.h"

#include <string>

#include "core/check/machine_check.h"
#include "core/model/control_names.h"
#include "core/window/core_types.h"
#include "core/window/localisation.h"
#include "core/window/sheet_source.h"

namespace wexmora {
namespace {

constexpr std::string_view kMemoBreak = "\r\n";
constexpr std::string_view kHintBreak = "\r";

// A line under a control's hint, the hint as it was kept aside first.
void addHintLine(TForm15& form, const char* control, const std::string& line) {
  NoteBases& bases = form.noteBases;
  std::string& hint = form[control].hint;
  bool kept = false;
  for (const auto& [name, text] : bases.hints) kept = kept || name == control;
  if (!kept) bases.hints.emplace_back(control, hint);
  hint += std::string(kHintBreak) + line;
}

void addMemoLine(std::string& memo, std::string_view line) {
  if (!memo.empty()) memo += kMemoBreak;
  memo += line;
}

}  // namespace

void markSheetNotes(TForm15& form) {
  unmarkSheetNotes(form);
  NoteBases& bases = form.noteBases;
  std::string& memo = form[main_controls::kTechnologies].text;
  bases.marked = true;
  bases.memo = memo;
  const Language language = windowLanguage(form);

  if (const std::string_view note = sheetSourceNote(form); !note.empty()) {
    addHintLine(form, main_controls::kModelKey, std::string(note));
    // The no-record text that the language routine put in an empty memo
    // would deny the sheet shown: the note stands alone instead.
    if (memo == textOf(TextId::NoRecord, Language::Russian) || memo == textOf(TextId::NoRecord, Language::English))
      memo.clear();
    addMemoLine(memo, note);
  }
  if (form.facts.sheet.coreTypes)
    addHintLine(form, main_controls::kCores, coreTypesLine(*form.facts.sheet.coreTypes, language));
  for (const CheckFinding& finding : form.facts.findings) {
    const std::string line = findingLine(finding, language);
    addMemoLine(memo, line);
    addHintLine(form, factControl(ruleOf(finding.kind).fact), line);
  }
}

void unmarkSheetNotes(TForm15& form) {
  NoteBases& bases = form.noteBases;
  if (!bases.marked) return;
  form[main_controls::kTechnologies].text = std::move(bases.memo);
  for (auto& [control, hint] : bases.hints) form[control].hint = std::move(hint);
  bases = {};
}

const std::string& memoWithoutNotes(const TForm15& form) {
  return form.noteBases.marked ? form.noteBases.memo : form[main_controls::kTechnologies].text;
}

}  // namespace wexmora
