#include "ui/win32/top_level.h"

#include "platform/windows/wide_text.h"
#include "ui/win32/pictures.h"

namespace wexmora::win32 {

TopLevelWindow::~TopLevelWindow() {
  view_.reset();
  if (!IsWindow(window_)) return;
  // The derived window is gone: its last messages go to Windows alone.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TopLevelWindow::createWindow(const wchar_t* className, DWORD style, const Form& form, HWND owner) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = programIcon(32);
    windowClass.hIconSm = programIcon(16);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
  }
  CreateWindowExW(WS_EX_CONTROLPARENT, className, platform::widen(form.caption).c_str(), style, form.left, form.top,
                  form.width, form.height, owner, nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK TopLevelWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TopLevelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TopLevelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (self->ownMessage(message, wParam, lParam, result)) return result;
  if (self->view_ && self->view_->handle(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wexmora::win32
