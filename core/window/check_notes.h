#pragma once
// Shows what the check against the machine found (core/check/): a line of
// the technologies memo per finding, after the technologies and the sheet's
// source note, and the same line under the hint of the field concerned, in
// the selected language. Runs after each language routine; a sheet that was
// not checked, or that the machine runs as it says, keeps its layout and
// texts as they are.
#include <string>

#include "core/model/form_model.h"

namespace wexmora {

// The sheet-source note (sheet_source.h), the hybrid's kinds of core
// (core_types.h), then the findings; a language switch replaces the other
// language's lines.
void markSheetNotes(TForm15& form);

// The technologies memo without the findings' lines: the sheet's own list
// (and its source note), as the terminal prints it above the check.
std::string memoWithoutFindings(const TForm15& form);

}  // namespace wexmora
