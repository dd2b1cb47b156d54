#include "views/win32/about_window.h"

#include "core/model/control_names.h"
#include "platform/windows/wide_text.h"
#include "views/win32/pictures.h"

namespace wexmora::win32 {
namespace {

constexpr const wchar_t* kAboutClass = L"WexmoraAboutDialog";
// An ordinary resizable frame with system menu, minimise and maximise boxes.
constexpr DWORD kAboutStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

AboutWindow::AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener, HWND owner)
    : about_(about), events_(about, main, opener, *this) {
  createWindow(kAboutClass, kAboutStyle, about_, owner);
  view_ = std::make_unique<FormView>(about_, window_, *this, true);
  view_->setAccess(aboutDialogNames(), aboutDialogFocusOrder(), main);
  syncFromModel();
}

void AboutWindow::syncFromModel() {
  syncing_ = true;
  SetWindowTextW(window_, platform::widen(about_.caption).c_str());
  SetWindowPos(window_, nullptr, about_.left, about_.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool shown = IsWindowVisible(window_) != FALSE;
  if (about_.visible && !shown) ShowWindow(window_, SW_SHOW);  // activates it: FormActivate follows
  if (!about_.visible && shown) ShowWindow(window_, SW_HIDE);
  if (view_) view_->sync();
  syncing_ = false;
}

void AboutWindow::syncTexts() {
  SetWindowTextW(window_, platform::widen(about_.caption).c_str());
  view_->sync();
}

void AboutWindow::mouseUp(const std::string& control, int, bool click) {
  if (click) events_.click(control);
}

void AboutWindow::command(const std::string& control, WORD notification) {
  // Only a button's click: notification codes overlap between kinds of control.
  if (!about_.has(control) || about_[control].kind != ControlKind::Button || notification != BN_CLICKED) return;
  events_.click(control);
}

bool AboutWindow::ownMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && view_) events_.activated();
      break;
    case WM_MOVE:
      if (!syncing_ && IsWindowVisible(window_) && !IsIconic(window_)) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        about_.left = outer.left;
        about_.top = outer.top;
      }
      break;
    case WM_COMMAND:
      // Escape (the dialog manager's Cancel) hides the dialog, as its close box does.
      if (LOWORD(wParam) != IDCANCEL || lParam != 0) break;
      events_.closeBox();
      result = 0;
      return true;
    case WM_CLOSE:
      events_.closeBox();
      result = 0;
      return true;
    default:
      break;
  }
  return false;
}

}  // namespace wexmora::win32
