#pragma once
// Tells the user where a data sheet comes from when the catalogue did not
// fill it: a line under the processor field's hint and a last line of the
// technologies memo, in the selected language. Runs after each language
// routine; a catalogue sheet, and one from no source, are left as they are.
#include <span>
#include <string_view>

#include "core/model/form_model.h"

namespace wexmora {

struct SheetSourceTexts {
  SheetSource source;
  std::string_view russian;
  std::string_view english;
};

// One row per source that gets a note.
std::span<const SheetSourceTexts> sheetSourceTexts();

// The memo line ends the technologies after a line break; a language switch
// replaces the other language's line.
void markSheetSource(TForm15& form);

// The note of the form's source in the selected language; empty for the
// catalogue and for no source.
std::string_view sheetSourceNote(const TForm15& form);

}  // namespace wexmora
