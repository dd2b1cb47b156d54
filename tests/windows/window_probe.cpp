// A helper of the window test: finds a top-level window by its caption and
// reports or drives it the way a user or a screen reader could.
//   window_probe client CAPTION        the client area on screen: left top width height
//   window_probe outer CAPTION         the outer window on screen: left top width height
//   window_probe texts CAPTION         class and text of every control with a window
//   window_probe focus CAPTION         class and text of the control that has the keyboard focus
//   window_probe names CAPTION         class and accessible name (MSAA, AccessibleObjectFromWindow)
//                                      of every shown control with a window; "unavailable" and the
//                                      error where the system gives no accessible object
//   window_probe select CAPTION INDEX  picks item INDEX of the drop-down list
//   window_probe save PATH             types PATH into the open save dialog and saves
//   window_probe fits CAPTION          measures every control's text in the control's own font, as
//                                      the window measures it; prints each that does not fit its box
//                                      and "checked N" (exit code 1 when one does not fit)
//   window_probe close CAPTION         closes the window as its close box does
//   window_probe gone CAPTION          waits up to 30 s until no window has the caption
// Exit code 0 on success, 1 when the window or control is not found in time.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/windows/wide_text.h"
#include "windows/msaa_name.h"

namespace {

using wexmora::platform::narrow;
using wexmora::platform::widen;

// Up to a minute: the first window of a new Wine prefix waits for Wine to
// build its font cache and desktop, which takes long on a loaded machine.
HWND waitFor(const std::wstring& caption, const wchar_t* windowClass = nullptr) {
  for (int i = 0; i < 600; ++i) {
    // Shown, not only made: a program makes its window before it shows it.
    HWND found = FindWindowW(windowClass, caption.empty() ? nullptr : caption.c_str());
    if (found && IsWindowVisible(found)) return found;
    Sleep(100);
  }
  return nullptr;
}

std::wstring textOf(HWND window) {
  wchar_t buffer[4096] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::wstring classOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

SIZE textExtent(HWND control, const std::wstring& text) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  size.cy = metrics.tmHeight;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

// The room a control gives its one line of text: its client area less the
// margins the control keeps.
SIZE roomFor(HWND control, const std::wstring& windowClass) {
  RECT client{};
  GetClientRect(control, &client);
  const int dpi = static_cast<int>(GetDpiForWindow(control));
  const auto px = [dpi](int design) { return MulDiv(design, dpi > 0 ? dpi : 96, 96); };
  SIZE room{client.right, client.bottom};
  if (windowClass == L"Button") {
    room.cx -= 2 * GetSystemMetricsForDpi(SM_CXEDGE, static_cast<UINT>(dpi)) + px(2);
  } else if (windowClass == L"Edit") {
    const LRESULT margins = SendMessageW(control, EM_GETMARGINS, 0, 0);
    room.cx -= LOWORD(margins) + HIWORD(margins);
  } else if (windowClass == L"ComboBox") {
    // The list's text stands in its edit part. GetComboBoxInfo is no use
    // here: its structure is not carried to another process, and the list
    // would write it into its own memory at this process's address.
    if (HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr)) {
      RECT inner{};
      GetClientRect(edit, &inner);
      const LRESULT margins = SendMessageW(edit, EM_GETMARGINS, 0, 0);
      room = {inner.right - LOWORD(margins) - HIWORD(margins), inner.bottom};
    }
  } else {  // a group box: the caption stands in the frame from 8 design pixels in
    room.cx -= px(8) + px(2);
  }
  return room;
}

void printRect(const RECT& r) { std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

int main(int argc, char** argv) {
  wexmora::platform::useUtf8Output();
  const std::vector<std::string> args = wexmora::platform::utf8Arguments(argc, argv);
  if (args.size() < 3) return 2;
  const std::string& command = args[1];
  if (command == "save") {
    // The common dialog: class #32770, its file name box a combo box (id
    // 0x47C) with an edit inside, or an edit (id 0x480).
    HWND dialog = waitFor(L"", L"#32770");
    if (!dialog) return 1;
    Sleep(500);
    HWND name = GetDlgItem(dialog, 0x47C);
    if (name && classOf(name) == L"ComboBoxEx32") name = FindWindowExW(name, nullptr, L"ComboBox", nullptr);
    if (name && classOf(name) == L"ComboBox") name = FindWindowExW(name, nullptr, L"Edit", nullptr);
    if (!name) name = GetDlgItem(dialog, 0x480);
    if (!name) return 1;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(args[2]).c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return 0;
  }
  if (command == "gone") {
    for (int i = 0; i < 300; ++i) {
      if (!FindWindowW(nullptr, widen(args[2]).c_str())) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND window = waitFor(widen(args[2]));
  if (!window) return 1;
  if (command == "client" || command == "outer") {
    RECT r{};
    if (command == "outer") {
      GetWindowRect(window, &r);
    } else {
      GetClientRect(window, &r);
      MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    printRect(r);
    return 0;
  }
  if (command == "texts") {
    for (HWND child : descendants(window))
      std::printf("%s|%s\n", narrow(classOf(child)).c_str(), narrow(textOf(child)).c_str());
    return 0;
  }
  if (command == "focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 1;
    std::printf("%s|%s\n", narrow(classOf(info.hwndFocus)).c_str(), narrow(textOf(info.hwndFocus)).c_str());
    return 0;
  }
  if (command == "names") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (HWND child : descendants(window))
      if (IsWindowVisible(child))
        std::printf("%s|%s\n", narrow(classOf(child)).c_str(), narrow(wexmora::testing::msaaName(child)).c_str());
    CoUninitialize();
    return 0;
  }
  if (command == "fits") {
    int checked = 0, overflowing = 0;
    for (HWND child : descendants(window)) {
      const std::wstring windowClass = classOf(child);
      if (windowClass != L"Button" && windowClass != L"Edit" && windowClass != L"ComboBox" &&
          windowClass != L"WexmoraFrame")
        continue;
      if (!IsWindowVisible(child) || (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE && windowClass == L"Edit"))
        continue;
      // A drop-down list's edit part is measured as the drop-down list.
      if (windowClass == L"Edit" && classOf(GetParent(child)) == L"ComboBox") continue;
      const std::wstring text = textOf(child);
      if (text.empty()) continue;
      const SIZE need = textExtent(child, text), room = roomFor(child, windowClass);
      ++checked;
      if (need.cx > room.cx || need.cy > room.cy) {
        ++overflowing;
        std::printf("%s|%s needs %ldx%ld, has %ldx%ld\n", narrow(windowClass).c_str(), narrow(text).c_str(), need.cx,
                    need.cy, room.cx, room.cy);
      }
    }
    std::printf("checked %d\n", checked);
    return overflowing == 0 ? 0 : 1;
  }
  if (command == "close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == "select" && args.size() >= 4) {
    for (HWND child : descendants(window)) {
      if (classOf(child) != L"ComboBox") continue;
      const WPARAM index = static_cast<WPARAM>(std::stoi(args[3]));
      SendMessageW(child, CB_SETCURSEL, index, 0);
      SendMessageW(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(child));
      return 0;
    }
    return 1;
  }
  return 2;
}
