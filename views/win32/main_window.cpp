#include "views/win32/main_window.h"

#include <algorithm>
#include <stdexcept>

#include "base/site.h"
#include "core/model/control_names.h"
#include "core/pass/handlers.h"
#include "core/window/display_scale.h"
#include "platform/windows/wide_text.h"
#include "views/win32/about_window.h"
#include "views/win32/capture.h"
#include "views/win32/pictures.h"
#include "views/win32/save_dialog.h"
#include "views/win32/window_dpi.h"

namespace wexmora::win32 {
namespace {

using platform::narrow;
using platform::widen;

constexpr const wchar_t* kMainClass = L"WexmoraMainWindow";
// Fixed single border, system menu and minimise box; no maximise box.
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

MainWindow::MainWindow(TForm15& form, platform::UrlOpener& opener, platform::SettingsStore& settings)
    : form_(form), opener_(opener), settings_(settings), events_(form, opener, settings, *this) {
  createWindow(kMainClass, kMainStyle, form_, nullptr);
  keepCentreAtScale();
  view_ = std::make_unique<FormView>(form_, window_, *this, false, &form_);
  view_->setAccess(mainWindowNames(), mainWindowFocusOrder(), form_);
  syncFromModel();
}

// The pass centred the design's size on the screen; a larger display scale
// makes a larger window, which keeps that centre and stays on the screen.
void MainWindow::keepCentreAtScale() {
  const SIZE outer = outerSize(form_);
  if (outer.cx == form_.width && outer.cy == form_.height) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const auto place = [](int start, int designSize, int size, long low, long high) {
    const int centred = start - (size - designSize) / 2;
    return std::max<int>(static_cast<int>(low), std::min<int>(centred, static_cast<int>(high) - size));
  };
  form_.left = place(form_.left, form_.width, outer.cx, area.left, area.right);
  form_.top = place(form_.top, form_.height, outer.cy, area.top, area.bottom);
}

void MainWindow::show() {
  ShowWindow(window_, SW_SHOW);
  // The keyboard starts on the first control, as in a dialog.
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
  UpdateWindow(window_);
}

void MainWindow::syncFromModel() {
  syncing_ = true;
  SetWindowTextW(window_, widen(form_.caption).c_str());
  const SIZE outer = outerSize(form_);
  SetWindowPos(window_, nullptr, form_.left, form_.top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  if (view_) view_->sync();
  syncing_ = false;
}

void MainWindow::reportPassError() { events_.showPassError(); }

void MainWindow::reportError(const std::string& message) {
  MessageBoxW(window_, widen(message).c_str(), widen(site::applicationTitle()).c_str(), MB_OK | MB_ICONERROR);
}

void MainWindow::positionToModel() {
  RECT outer{};
  if (!GetWindowRect(window_, &outer) || IsIconic(window_)) return;
  form_.left = outer.left;
  form_.top = outer.top;
}

void MainWindow::syncAboutWindow() {
  if (form_.aboutDialog) {
    // The dispatcher placed the dialog at its offset in design pixels.
    const DisplayScale scale{windowDpi(window_)};
    TForm4& about = *form_.aboutDialog;
    about.left = form_.left + scale.px(about.left - form_.left);
    about.top = form_.top + scale.px(about.top - form_.top);
  }
  if (about_) about_->syncFromModel();
}

void MainWindow::takeScreenshot() {
  positionToModel();
  SaveFileDialog dialog(window_);
  ScreenCapture capture(window_, form_.width, form_.height);
  events_.run([&] { SpeedButton3Click(form_, saveDialog_, dialog, capture); });
}

void MainWindow::mouseMove(const std::string& control) { events_.mouseMove(control); }

void MainWindow::mouseDown(const std::string& control, int) {
  events_.mouseDown(control);
  UpdateWindow(window_);  // the pressed caption shows at once
}

void MainWindow::mouseUp(const std::string& control, int, bool click) { events_.mouseUp(control, click); }

void MainWindow::command(const std::string& control, WORD notification) {
  if (!view_ || !form_.has(control)) return;  // the controls' own notifications while they are made
  // Notification codes overlap between kinds of control: each is read from its own kind only.
  const ControlKind kind = form_[control].kind;
  if (kind == ControlKind::Button && notification == BN_CLICKED) {
    events_.click(control);
  } else if (kind == ControlKind::ComboBox && notification == CBN_SELCHANGE) {
    const auto index = SendMessageW(view_->window(control), CB_GETCURSEL, 0, 0);
    events_.pickLanguage(static_cast<int>(index));
  } else if (kind == ControlKind::Edit && notification == EN_CHANGE) {
    HWND edit = view_->window(control);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    events_.textEdited(control, narrow(text));
  }
}

bool MainWindow::ownMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOVE:
      if (!syncing_) positionToModel();
      break;
    case WM_COMMAND:
      // Escape (the dialog manager's Cancel) hides the family/model/stepping panel.
      if (LOWORD(wParam) == IDCANCEL && lParam == 0 && events_.escape()) {
        result = 0;
        return true;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(window_);
      result = 0;
      return true;
    case WM_DESTROY:
      PostQuitMessage(0);
      result = 0;
      return true;
    default:
      break;
  }
  return false;
}

}  // namespace wexmora::win32
