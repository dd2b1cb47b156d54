#include "core/window/control_text.h"

#include <algorithm>

#include "core/model/control_names.h"

namespace wexmora {
namespace {

bool fitsItsText(const Control& control) {
  return control.name == main_controls::kPhotoModelKey || control.name == main_controls::kPhotoBaseClock ||
         control.name == main_controls::kPhotoSocket;
}

}  // namespace

std::string captionLine(std::string_view text) {
  std::string line;
  for (const char c : text)
    if (c != '\r' && c != '\n') line += c;
  return line;
}

std::string tooltipText(std::string_view hint, std::string_view lineBreak) {
  std::string text;
  std::size_t pendingBreaks = 0;  // written only once text follows them
  for (std::size_t i = 0; i < hint.size(); ++i) {
    if (hint[i] == '\r' || hint[i] == '\n') {
      if (hint[i] == '\r' && i + 1 < hint.size() && hint[i + 1] == '\n') ++i;
      ++pendingBreaks;
      continue;
    }
    for (; pendingBreaks > 0; --pendingBreaks) text += lineBreak;
    text += hint[i];
  }
  return text;
}

ControlRect controlRect(const Control& control, int textWidth, int textHeight) {
  ControlRect rect{control.left, control.top, control.width, control.height};
  if (control.kind != ControlKind::Label) return rect;
  rect.width = control.width == 0 || fitsItsText(control) ? textWidth : std::max(control.width, textWidth);
  rect.height = std::max(control.height, textHeight);
  return rect;
}

}  // namespace wexmora
