#include "views/win32/layout.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/wide_text.h"
#include "views/win32/fonts.h"

namespace wexmora::win32 {
namespace {

SIZE textSize(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{0, 0};
  if (text.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  } else {
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace

bool isFrame(ControlKind kind) { return kind == ControlKind::GroupBox || kind == ControlKind::Panel; }

bool hasWindow(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::Memo || kind == ControlKind::ComboBox ||
         kind == ControlKind::Button || isFrame(kind);
}

ControlRect scaledRect(const Control& control, const DisplayScale& scale) {
  // The design's rectangle scaled; a label then grows to its text in the
  // scaled font, as controlRect() grows it at 100 % (a designed width of 0
  // there means the label takes its text's width).
  const ControlRect design = controlRect(control, 0, 0);
  ControlRect rect = scale.rect(design);
  if (control.kind != ControlKind::Label) return rect;
  const SIZE text = textSize(controlFont(control.style.font, scale.dpi), platform::widen(captionLine(control.text)));
  rect.width = design.width == 0 ? text.cx : std::max<int>(rect.width, text.cx);
  rect.height = std::max<int>(rect.height, text.cy);
  return rect;
}

}  // namespace wexmora::win32
