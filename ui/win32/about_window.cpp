#include "ui/win32/about_window.h"

#include "platform/windows/wide_text.h"
#include "ui/about.h"
#include "ui/win32/pictures.h"

namespace wexmora::win32 {
namespace {

constexpr const wchar_t* kAboutClass = L"WexmoraAboutDialog";
// An ordinary resizable frame with system menu, minimise and maximise boxes.
constexpr DWORD kAboutStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

}  // namespace

AboutWindow::AboutWindow(TForm4& about, const TForm15& main, platform::UrlOpener& opener, HWND owner)
    : about_(about), main_(main), opener_(opener) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = programIcon(32);
  windowClass.hIconSm = programIcon(16);
  windowClass.lpszClassName = kAboutClass;
  RegisterClassExW(&windowClass);
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kAboutClass, platform::widen(about_.caption).c_str(), kAboutStyle,
                            about_.left, about_.top, about_.width, about_.height, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  view_ = std::make_unique<FormView>(about_, window_, *this, true);
  syncFromModel();
}

AboutWindow::~AboutWindow() {
  view_.reset();
  if (IsWindow(window_)) DestroyWindow(window_);
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
  if (click && control == "Label4") Button2Click(about_, opener_);
}

void AboutWindow::command(const std::string& control, WORD notification) {
  if (notification != BN_CLICKED) return;
  if (control == "Button1") {
    Button1Click(about_);
    syncFromModel();
  } else if (control == "Button2") {
    Button2Click(about_, opener_);
  }
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
      return 0;
    default:
      break;
  }
  LRESULT result = 0;
  if (view_ && view_->handle(window_, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK AboutWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<AboutWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wexmora::win32
