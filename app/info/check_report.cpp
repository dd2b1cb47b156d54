#include "app/info/check_report.h"

#include "core/check/machine_check.h"
#include "core/window/localisation.h"

namespace wexmora::info {
namespace {

Language languageOf(const TForm15& form) { return windowLanguage(form); }

}  // namespace

std::string checkText(const TForm15& form) {
  const Language language = languageOf(form);
  std::string text(textOf(TextId::CheckHeading, language));
  text += ":";
  const auto& findings = form.facts.findings;
  if (runsAsSpecified(findings)) text += " " + std::string(textOf(TextId::CheckRunsAsSpecified, language));
  text += "\n";
  for (const CheckFinding& finding : findings) text += "  " + findingLine(finding, language) + "\n";
  return text;
}

nlohmann::ordered_json checkJson(const TForm15& form) {
  const Language language = languageOf(form);
  auto list = nlohmann::ordered_json::array();
  for (const CheckFinding& finding : form.facts.findings) {
    const CheckRule& rule = ruleOf(finding.kind);
    list.push_back({{"fact", factName(rule.fact)},
                    {"rule", rule.name},
                    {"note", rule.note},
                    {"sheet", finding.sheet},
                    {"machine", finding.machine},
                    {"finding", filledIn(textOf(rule.finding, language), finding)},
                    {"reason", filledIn(textOf(rule.reason, language), finding)}});
  }
  return list;
}

std::string checkExplainText(const TForm15& form) {
  const Language language = languageOf(form);
  std::string text = std::string(textOf(TextId::ExplainCheck, language)) + "\n";
  if (form.facts.findings.empty()) text += "  " + std::string(textOf(TextId::ExplainCheckNothing, language)) + "\n";
  for (const CheckFinding& finding : form.facts.findings) {
    const CheckRule& rule = ruleOf(finding.kind);
    text += "  " + std::string(rule.name) + ": " + factName(rule.fact) + " \"" + finding.sheet + "\" / \"" +
            finding.machine + "\"; " + finding.evidence + "\n";
  }
  return text;
}

nlohmann::ordered_json checkExplainJson(const TForm15& form) {
  auto list = nlohmann::ordered_json::array();
  for (const CheckFinding& finding : form.facts.findings) {
    const CheckRule& rule = ruleOf(finding.kind);
    list.push_back({{"rule", rule.name}, {"fact", factName(rule.fact)}, {"evidence", finding.evidence}});
  }
  return list;
}

}  // namespace wexmora::info
