#pragma once
// The sheet's typed values (data_sheet.h) and their display forms: one
// reader of each form the sources write ("2.80 GHz", "9 Mb", "4 Mb L2",
// "14 nm", "Intel 4", "100°C", "DDR4-3200 MHz, LPDDR4x-4267 MHz", "4.0,
// 5.0") and one writer of the forms the program makes. A source that fills
// a field of the window puts its text in the control and its fact in the
// sheet in one step (setSheetField), so the fact is read from the source's
// own text once and never from the control afterwards.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/data_sheet.h"

namespace wexmora {

class TForm15;

// "2.80 GHz", "3.3 GHz" -> 2800, 3300; nothing for any other text.
std::optional<int> clockMhzOf(std::string_view text);
// A clock in the sheet's form, rounded to 10 MHz: 2800 -> "2.80 GHz".
std::string clockText(int megahertz);
// "9 Mb", "512 Kb", "19.25 Mb" -> bytes; nothing for any other text ("-", "6 Mb L2").
std::optional<std::uint64_t> cacheBytesOf(std::string_view text);
// The same with its level: "4 Mb L2" is an L2 of 4 MiB, the others L3s.
std::optional<CacheSize> cacheSizeOf(std::string_view text);
// A count as the sheet writes it ("6"), else 0.
int countOf(std::string_view text);
// "100°C", "72.72°C", "105 °C" -> degrees Celsius.
std::optional<double> celsiusOf(std::string_view text);
// "14 nm", "65 nm / 40 nm" (the first), "Intel 4".
std::optional<Lithography> lithographyOf(std::string_view text);
// "DDR4-3200 MHz, LPDDR4x-4267 MHz", "DDR3/DDR3L-1333/1600 MHz",
// "DDR4-3200,DDR5/LPDDR5-4800 MHz", "DDR4": the types and their speeds.
std::vector<MemoryType> memoryOf(std::string_view text);

// Sets a data field of the main window (Edit5, Edit8, Memo2, ...) to the
// text a source gives for it and the sheet's fact to what that text says;
// "-" is the processor having none of it.
void setSheetField(TForm15& form, std::string_view control, std::string text);

}  // namespace wexmora
