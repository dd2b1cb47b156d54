#include "views/win32/top_level.h"

#include "core/window/display_scale.h"
#include "platform/windows/wide_text.h"
#include "views/win32/pictures.h"
#include "views/win32/window_dpi.h"

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
  style_ = style;
  form_ = &form;
  CreateWindowExW(WS_EX_CONTROLPARENT, className, platform::widen(form.caption).c_str(), style, form.left, form.top,
                  form.width, form.height, owner, nullptr, GetModuleHandleW(nullptr), this);
  const SIZE outer = outerSize(form);
  if (outer.cx != form.width || outer.cy != form.height)
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TopLevelWindow::outerSize(const Form& form) const {
  const int dpi = window_ ? windowDpi(window_) : kDesignDpi;
  if (dpi == kDesignDpi) return {form.width, form.height};
  const RECT frame = frameAround(RECT{0, 0, 0, 0}, style_, WS_EX_CONTROLPARENT, kDesignDpi);
  const DisplayScale scale{dpi};
  const RECT outer = frameAround(
      RECT{0, 0, scale.px(form.width - (frame.right - frame.left)), scale.px(form.height - (frame.bottom - frame.top))},
      style_, WS_EX_CONTROLPARENT, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void TopLevelWindow::changeDpi(int dpi, const RECT& suggested) {
  if (view_) view_->setDpi(dpi);
  const SIZE outer =
      form_ ? outerSize(*form_) : SIZE{suggested.right - suggested.left, suggested.bottom - suggested.top};
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TopLevelWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TopLevelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TopLevelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_DPICHANGED) {  // moved to a display of another scale
    self->changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  LRESULT result = 0;
  if (self->ownMessage(message, wParam, lParam, result)) return result;
  if (self->view_ && self->view_->handle(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wexmora::win32
