#pragma once
// Shows what the check against the machine found (core/check/): a line of
// the technologies memo per finding, after the technologies and the sheet's
// source note, and the same line under the hint of the field concerned, in
// the selected language. Runs after each language routine; a sheet that was
// not checked, or that the machine runs as it says, keeps its layout and
// texts as they are.
#include "core/model/form_model.h"

namespace wexmora {

// The sheet-source note (sheet_source.h), then the findings; a language
// switch replaces the other language's lines.
void markSheetNotes(TForm15& form);

}  // namespace wexmora
