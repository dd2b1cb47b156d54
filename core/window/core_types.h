#pragma once
// A hybrid processor's cores by kind, as the window (a line under the Cores
// field's hint, sheet_notes.h) and the terminal say them: "Типы ядер:
// производительные 6, энергоэффективные 8, энергоэффективные малого
// потребления 2". A kind the processor does not have is left out.
#include <string>

#include "core/model/form_model.h"
#include "core/texts/texts.h"

namespace wexmora {

// "performance 6, efficient 8, low-power efficient 2".
std::string coreTypesText(const CoreTypes& types, Language language);

// The hint's line: "Core types: performance 6, efficient 8, ...".
std::string coreTypesLine(const CoreTypes& types, Language language);

}  // namespace wexmora
