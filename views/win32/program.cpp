#include "views/win32/program.h"

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "platform/windows/wide_text.h"
#include "views/win32/about_window.h"
#include "views/win32/main_window.h"
#include "views/win32/window_dpi.h"

namespace wexmora::win32 {

ScreenSize primaryScreen() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void adoptFrameMetrics(TForm15& form) {
  // The design's frame, at 100 %: the window scales it with the display.
  const RECT outer = frameAround(RECT{0, 0, TForm15::kClientWidth, TForm15::kClientHeight},
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_CONTROLPARENT, 96);
  form.width = outer.right - outer.left;
  form.height = outer.bottom - outer.top;
}

std::string systemShortDate() {
  wchar_t date[80] = {};
  if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80, nullptr) == 0) return {};
  return platform::narrow(date);
}

int runWindows(TForm15& form, TForm4& about, platform::UrlOpener& opener, platform::SettingsStore& settings) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  MainWindow window(form, opener, settings);
  form.aboutDialog = &about;
  AboutWindow aboutWindow(about, form, opener, window.handle());
  window.setAboutWindow(&aboutWindow);
  window.show();
  window.reportPassError();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and the arrow keys move between the controls of either window.
    if (IsDialogMessageW(window.handle(), &message) || IsDialogMessageW(aboutWindow.handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  form.aboutDialog = nullptr;
  return 0;
}

}  // namespace wexmora::win32
