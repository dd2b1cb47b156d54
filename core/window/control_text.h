#pragma once
// How a view shows a control's texts and sizes a label, the same in every
// view: captions are single lines, hints are tooltips whose carriage returns
// break lines, and labels grow to their text.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/form_model.h"

namespace wexmora {

// A caption as one line: carriage returns and line feeds are dropped.
std::string captionLine(std::string_view text);

// A hint's lines joined by `lineBreak`: each "\r\n", lone "\r" or lone "\n"
// is one break, and breaks at the end are dropped.
std::string tooltipText(std::string_view hint, std::string_view lineBreak);

// The forms a read-only field may show its value in, longest first, for a
// view to take the first that fits the field. Each rule applies to the form
// before it: the value; without a parenthesised part ("Alder Lake (P/U/M)"
// -> "Alder Lake"); a unit written once ("65 nm / 40 nm" -> "65/40 nm");
// without a variant ("Westmere-EX" -> "Westmere", "Sandy Bridge EP" ->
// "Sandy Bridge"); the first two words of a longer name ("Gemini Lake
// Refresh" -> "Gemini Lake"); the last word by its initial ("Clearwater Forest" ->
// "Clearwater F."); two joined words, the second by its initial
// ("SledgeHammer" -> "SledgeH."); a node by its name ("Intel 18A" ->
// "18A"); figures without their unit ("65/40 nm" -> "65/40"); memory types
// without their speeds, a type extending the one before it by its letters
// ("DDR4-3200, LPDDR5/LPDDR5x-6400 MHz" -> "DDR4, LPDDR5/5x"); the
// unknown-value text as "?" in a field too narrow for it.
// A value no rule shortens has itself alone.
std::vector<std::string> shorterForms(std::string_view value);

// What a field shows of its text, the same in every view: the first of its
// value's shorter forms whose width (as the view measures it in the field's
// font) fits the room the field gives its text, the shortest when none does;
// a field the user may edit shows its value whole while the keyboard is in
// it (editing), so that what the user types is never shortened.
std::string shownText(const Control& control, double room, const std::function<double(std::string_view)>& width,
                      bool editing = false);

// The background of the fields the design draws in cream (ControlStyle::cream).
struct Rgb {
  int red, green, blue;
};
inline constexpr Rgb kCreamBackground{255, 251, 240};

struct ControlRect {
  int left, top, width, height;
  friend bool operator==(const ControlRect&, const ControlRect&) = default;
};

// Where a control stands in its parent. A label grows to its caption: to the
// text's width when it was designed without one (width 0) and always for the
// three captions over the front photo, else to at least that width; and to at
// least the text's height. Other controls keep the model's size.
ControlRect controlRect(const Control& control, int textWidth, int textHeight);

}  // namespace wexmora
