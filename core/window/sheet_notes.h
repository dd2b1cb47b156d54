#pragma once
// The notes the window adds to its sheet, in the selected language: where a
// sheet from outside the catalogue comes from (a line under the processor
// field's hint and the memo's last line, sheet_source.h), a hybrid's kinds
// of core (a line under the Cores hint, core_types.h) and what the check
// against the machine found (a memo line per finding, and the same line
// under the hint of the field concerned). The texts the design's stages
// and language routines give the memo and the hints are kept aside while
// the notes stand, so that a language switch puts them back, lets the
// routine run on them as designed, and writes the notes anew: nothing is
// ever cut off a text by matching its end.
#include <string>

#include "core/model/form_model.h"

namespace wexmora {

// Writes the notes after a language routine (the texts as the routine left
// them are kept aside first).
void markSheetNotes(TForm15& form);

// Puts back the texts the notes were written onto; nothing when no notes stand.
void unmarkSheetNotes(TForm15& form);

// The memo as the design's stages and the language routine left it, without
// the notes: the sheet's own list, as the terminal prints it above the check.
const std::string& memoWithoutNotes(const TForm15& form);

}  // namespace wexmora
