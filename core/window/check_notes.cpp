#include "core/window/check_notes.h"

#include <string>

#include "core/check/machine_check.h"
#include "core/model/control_names.h"
#include "core/window/core_types.h"
#include "core/window/sheet_source.h"

namespace wexmora {
namespace {

constexpr std::string_view kMemoBreak = "\r\n";
constexpr std::string_view kHintBreak = "\r";

std::string memoLines(const TForm15& form, Language language) {
  std::string lines;
  for (const CheckFinding& finding : form.facts.findings)
    lines += std::string(kMemoBreak) + findingLine(finding, language);
  return lines;
}

// Takes the findings' lines of either language off the end of `memo`.
void removeMemoLines(const TForm15& form, std::string& memo) {
  for (const Language language : {Language::Russian, Language::English}) {
    const std::string lines = memoLines(form, language);
    if (lines.empty()) return;
    if (memo.ends_with(lines)) {
      memo.resize(memo.size() - lines.size());
      return;
    }
    if (memo == lines.substr(kMemoBreak.size())) {
      memo.clear();
      return;
    }
  }
}

void removeHintLine(std::string& hint, const std::string& line) {
  const std::string marked = std::string(kHintBreak) + line;
  for (auto at = hint.find(marked); at != std::string::npos; at = hint.find(marked)) hint.erase(at, marked.size());
}

}  // namespace

std::string memoWithoutFindings(const TForm15& form) {
  std::string memo = form[main_controls::kTechnologies].text;
  removeMemoLines(form, memo);
  return memo;
}

void markSheetNotes(TForm15& form) {
  removeMemoLines(form, form[main_controls::kTechnologies].text);
  markSheetSource(form);
  markCoreTypes(form);
  if (form.facts.findings.empty()) return;
  const Language language = form.comboIndex == 1 ? Language::English : Language::Russian;
  std::string& memo = form[main_controls::kTechnologies].text;
  const std::string lines = memoLines(form, language);
  memo += memo.empty() ? lines.substr(kMemoBreak.size()) : lines;
  for (const CheckFinding& finding : form.facts.findings) {
    std::string& hint = form[factControl(ruleOf(finding.kind).fact)].hint;
    for (const Language each : {Language::Russian, Language::English}) removeHintLine(hint, findingLine(finding, each));
    hint += std::string(kHintBreak) + findingLine(finding, language);
  }
}

}  // namespace wexmora
