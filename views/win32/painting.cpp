#include "views/win32/painting.h"

#include <algorithm>
#include <string>

#include "platform/windows/wide_text.h"
#include "views/win32/fonts.h"
#include "views/win32/layout.h"
#include "views/win32/pictures.h"

namespace wexmora::win32 {
namespace {

using platform::widen;

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

void paintFrameBorder(HDC dc, const Control& frame, const RECT& client, const DisplayScale& scale) {
  if (frame.kind == ControlKind::Panel) {
    RECT border = client;
    DrawEdge(dc, &border, BDR_RAISEDOUTER, BF_RECT);
    return;
  }
  // A group box: an etched frame from half the caption's height down, the
  // caption standing in it at the left.
  HGDIOBJ old = SelectObject(dc, controlFont(frame.style.font, scale.dpi));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT border = client;
  border.top = metrics.tmHeight / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = widen(captionLine(frame.text));
  if (!caption.empty()) {
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int indent = scale.px(8);
    RECT text{indent, 0, indent + size.cx + scale.px(2), metrics.tmHeight};
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    text.left += scale.px(1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

void paintWindowless(HDC dc, const Control& control, const FramePainting& painting) {
  const DisplayScale& scale = painting.scale;
  const ControlRect r = scaledRect(control, scale);
  RECT rect{r.left, r.top, r.left + r.width, r.top + r.height};
  switch (control.kind) {
    case ControlKind::Image:
      if (const Bitmap* bitmap = picture(control.picture, scale.dpi))
        drawPicture(dc, *bitmap, r.left, r.top, r.width, r.height, painting.stretchPictures);
      break;
    case ControlKind::Label: {
      if (!control.style.transparent) FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
      const std::wstring text = widen(captionLine(control.text));
      HGDIOBJ old = SelectObject(dc, controlFont(control.style.font, scale.dpi));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, control.style.blueText ? kLinkBlue : GetSysColor(COLOR_WINDOWTEXT));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      break;
    }
    case ControlKind::SpeedButton: {
      const bool down = painting.pressed == control.name;
      DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
      const int shift = down ? scale.px(1) : 0;
      if (const Bitmap* glyph = picture(control.picture, scale.dpi)) {
        drawPicture(dc, *glyph, r.left + (r.width - glyph->width) / 2 + shift,
                    r.top + (r.height - glyph->height) / 2 + shift, glyph->width, glyph->height, false);
      } else {
        const std::wstring text = widen(captionLine(control.text));
        HGDIOBJ old = SelectObject(dc, controlFont(control.style.font, scale.dpi));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        OffsetRect(&rect, shift, shift);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
      }
      break;
    }
    default:
      break;
  }
  if (painting.focused == control.name) {
    InflateRect(&rect, -scale.px(control.kind == ControlKind::SpeedButton ? 3 : 1),
                -scale.px(control.kind == ControlKind::SpeedButton ? 3 : 1));
    DrawFocusRect(dc, &rect);
  }
}

}  // namespace

void paintFrame(HWND frame, std::string_view name, const FramePainting& painting) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(frame, &ps);
  RECT client;
  GetClientRect(frame, &client);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ oldBuffer = SelectObject(dc, buffer);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!name.empty()) paintFrameBorder(dc, painting.form[name], client, painting.scale);
  for (const Control& control : painting.form.controls())
    if (control.parent == name && control.visible && !hasWindow(control.kind)) paintWindowless(dc, control, painting);
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBuffer);
  DeleteObject(buffer);
  DeleteDC(dc);
  EndPaint(frame, &ps);
}

}  // namespace wexmora::win32
