#include "views/win32/about_window.h"

#include "core/model/control_names.h"
#include "core/window/about.h"
#include "platform/windows/wide_text.h"
#include "views/win32/pictures.h"

namespace wexmora::win32 {
namespace {

constexpr const wchar_t* kAboutClass = L"WexmoraAboutDialog";
// An ordinary resizable frame with system menu, minimise and maximise boxes.
constexpr DWORD kAboutStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

AboutWindow::AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener, HWND owner)
    : about_(about), main_(main), opener_(opener) {
  createWindow(kAboutClass, kAboutStyle, about_, owner);
  view_ = std::make_unique<FormView>(about_, window_, *this, true);
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

void AboutWindow::mouseUp(const std::string& control, int, bool click) {
  if (click && control == about_controls::kSiteLink) Button2Click(about_, opener_);
}

void AboutWindow::command(const std::string& control, WORD notification) {
  if (notification != BN_CLICKED) return;
  if (control == about_controls::kClose) {
    Button1Click(about_);
    syncFromModel();
  } else if (control == about_controls::kSiteButton) {
    Button2Click(about_, opener_);
  }
}

bool AboutWindow::ownMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && view_) {
        FormActivate(about_, main_);
        SetWindowTextW(window_, platform::widen(about_.caption).c_str());
        view_->sync();
      }
      break;
    case WM_MOVE:
      if (!syncing_ && IsWindowVisible(window_) && !IsIconic(window_)) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        about_.left = outer.left;
        about_.top = outer.top;
      }
      break;
    case WM_CLOSE:  // the close box hides the dialog, as its close button does
      Button1Click(about_);
      syncFromModel();
      result = 0;
      return true;
    default:
      break;
  }
  return false;
}

}  // namespace wexmora::win32
