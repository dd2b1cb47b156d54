#include "core/window/core_types.h"

#include "core/model/control_names.h"

namespace wexmora {
namespace {

constexpr std::string_view kHintBreak = "\r";

}  // namespace

std::string coreTypesText(const CoreTypes& types, Language language) {
  struct Kind {
    int count;
    TextId name;
  };
  const Kind kinds[] = {{types.performance, TextId::CoreTypesPerformance},
                        {types.efficient, TextId::CoreTypesEfficient},
                        {types.lowPower, TextId::CoreTypesLowPower}};
  std::string text;
  for (const Kind& kind : kinds) {
    if (kind.count <= 0) continue;
    if (!text.empty()) text += ", ";
    text += std::string(textOf(kind.name, language)) + " " + std::to_string(kind.count);
  }
  return text;
}

std::string coreTypesLine(const CoreTypes& types, Language language) {
  return std::string(textOf(TextId::CoreTypesCaption, language)) + ": " + coreTypesText(types, language);
}

void markCoreTypes(TForm15& form) {
  if (!form.facts.coreTypes) return;
  std::string& hint = form[main_controls::kCores].hint;
  for (const Language each : {Language::Russian, Language::English}) {
    const std::string line = std::string(kHintBreak) + coreTypesLine(*form.facts.coreTypes, each);
    for (auto at = hint.find(line); at != std::string::npos; at = hint.find(line)) hint.erase(at, line.size());
  }
  const Language language = form.comboIndex == 1 ? Language::English : Language::Russian;
  hint += std::string(kHintBreak) + coreTypesLine(*form.facts.coreTypes, language);
}

}  // namespace wexmora
