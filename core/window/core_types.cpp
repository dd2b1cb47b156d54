#include "core/window/core_types.h"

namespace wexmora {
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

}  // namespace wexmora
