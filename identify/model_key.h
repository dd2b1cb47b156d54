#pragma once
// The model-key rule chain: turns the brand string in Edit1 into the short
// catalogue key in Edit7 (trimmed) and Label1, by 54 pattern rules evaluated
// in order, the last one that fires deciding.
#include "ui/form_model.h"

namespace wexmora {

void deriveModelKey(TForm15& form);

}  // namespace wexmora
