#pragma once
// Where a data sheet comes from when the catalogue did not fill it, in both
// languages: the window writes it under the processor field's hint and as
// the memo's last line (sheet_notes.h), wexmora-info on a line of its own.
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

// The note of the form's source in the selected language; empty for the
// catalogue and for no source.
std::string_view sheetSourceNote(const TForm15& form);

}  // namespace wexmora
