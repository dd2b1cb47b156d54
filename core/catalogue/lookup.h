#pragma once
// The catalogue lookup: finds the entry whose key equals the model key in
// Edit7, shows its QR image, decodes its record on first use and spreads the
// record's fields over the data sheet.
#include <span>
#include <string>

#include "core/data/lists.h"
#include "core/model/form_model.h"
#include "platform/sleeper.h"

namespace wexmora {

inline constexpr int kQrLeft = 203;
inline constexpr int kQrTop = 3;
inline constexpr int kImageListSize = 128;
inline constexpr int kDecodeWaitMs = 10;

// Applies every entry of lists.ListBox2 whose ListBox1 key equals Edit7 (no
// early exit: each match in list order); a record it applies is decoded in
// place in lists.ListBox2.
void lookUpCatalogue(TForm15& form, catalogue::Lists& lists, platform::Sleeper& sleeper);

// The fields that show record fields 2 to 14, in record order; Memo2 shows
// field 15, Edit5 field 16.
std::span<const char* const> recordFieldTargets();

// Fills the data sheet from one plain record in UTF-8: fields 2 to 15 and,
// when the record carries it, the base frequency of field 16; the
// technologies of field 15 also go into form.facts as a list.
void distributeRecord(TForm15& form, const std::string& record);

}  // namespace wexmora
