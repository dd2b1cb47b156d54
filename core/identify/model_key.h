#pragma once
// The model-key rule chain: turns the brand string in Edit1 into the short
// catalogue key in Edit7 (trimmed) and Label1, by 54 pattern rules evaluated
// in order, the last one that fires deciding.
#include "core/model/form_model.h"

namespace wexmora {

// Runs the whole chain once on form["Edit1"].text. Writes Edit7 and Label1
// only when some rule fires; rule 33 may also move Image1 to the left.
void deriveModelKey(TForm15& form);

}  // namespace wexmora
