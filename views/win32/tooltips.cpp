#include "views/win32/tooltips.h"

#include <commctrl.h>

#include "core/window/control_text.h"
#include "platform/windows/wide_text.h"
#include "views/win32/fonts.h"

namespace wexmora::win32 {
namespace {

// Wide enough for the longest hint line; a set width lets "\r\n" break lines.
constexpr int kMaxTipWidth = 600;

}  // namespace

Tooltips::Tooltips(HWND owner, const DisplayScale& scale, std::size_t count)
    : window_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr)),
      tools_(count),
      hints_(count) {
  setScale(scale);
}

Tooltips::~Tooltips() {
  if (window_) DestroyWindow(window_);
}

void Tooltips::setScale(const DisplayScale& scale) {
  SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, scale.px(kMaxTipWidth));
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(FontFace::Tahoma11, scale.dpi)), FALSE);
}

void Tooltips::add(std::size_t control, Tool tool, UINT flags) {
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_SUBCLASS | flags;
  info.hwnd = tool.owner;
  info.uId = tool.id;
  info.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  tools_[control].push_back(tool);
}

void Tooltips::addWindow(std::size_t control, HWND window, bool dropDown) {
  add(control, Tool{GetParent(window), reinterpret_cast<UINT_PTR>(window)}, TTF_IDISHWND);
  if (!dropDown) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(window, &info) && info.hwndItem)
    add(control, Tool{window, reinterpret_cast<UINT_PTR>(info.hwndItem)}, TTF_IDISHWND);
}

void Tooltips::addArea(std::size_t control, HWND frame) { add(control, Tool{frame, control + 1}, 0); }

void Tooltips::moveArea(std::size_t control, const RECT& area) {
  for (const Tool& tool : tools_[control]) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = tool.owner;
    info.uId = tool.id;
    info.rect = area;
    SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Tooltips::setHint(std::size_t control, const std::string& hint) {
  if (hints_[control] == hint) return;
  const std::wstring text = platform::widen(tooltipText(hint, "\r\n"));
  for (const Tool& tool : tools_[control]) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = tool.owner;
    info.uId = tool.id;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  }
  hints_[control] = hint;
}

}  // namespace wexmora::win32
