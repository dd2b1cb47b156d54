#include "core/window/sheet_source.h"

#include <string>

#include "core/model/control_names.h"
#include "core/texts/texts.h"
#include "core/window/localisation.h"

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

}  // namespace

std::span<const SheetSourceTexts> sheetSourceTexts() { return kTexts; }

std::string_view sheetSourceNote(const TForm15& form) {
  for (const SheetSourceTexts& row : kTexts)
    if (row.source == form.facts.sheet.source)
      return windowLanguage(form) == Language::English ? row.english : row.russian;
  return {};
}

}  // namespace wexmora
