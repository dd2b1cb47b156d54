#pragma once
// A hybrid processor's cores by kind, as the window and the terminal say
// them: a line under the Cores field's hint, "Типы ядер: производительные 6,
// энергоэффективные 8, энергоэффективные малого потребления 2", in the
// selected language. A kind the processor does not have is left out.
#include <string>

#include "core/model/form_model.h"
#include "core/texts/texts.h"

namespace wexmora {

// "performance 6, efficient 8, low-power efficient 2".
std::string coreTypesText(const CoreTypes& types, Language language);

// The hint's line: "Core types: performance 6, efficient 8, ...".
std::string coreTypesLine(const CoreTypes& types, Language language);

// Puts the line of the selected language under the Cores field's hint, in
// place of the other language's; nothing for a processor of one kind of core.
void markCoreTypes(TForm15& form);

}  // namespace wexmora
