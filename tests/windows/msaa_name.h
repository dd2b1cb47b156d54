#pragma once
// What a screen reader hears as a control's name: MSAA's name of the
// control's window, through AccessibleObjectFromWindow (in another process
// the system marshals the object). For the window probe and the Win32 view's
// test.
#include <windows.h>
// oleacc.h needs windows.h first.
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace wexmora::testing {

// The name, or "unavailable 0x<error>" where the system gives no
// accessible object for the window.
inline std::wstring msaaName(HWND window) {
  IAccessible* accessible = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&accessible));
  if (FAILED(found) || !accessible) {
    wchar_t code[48];
    std::swprintf(code, 48, L"unavailable 0x%08lx", static_cast<unsigned long>(found));
    return code;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result =
      SUCCEEDED(accessible->get_accName(self, &name)) && name ? std::wstring(name, SysStringLen(name)) : L"";
  if (name) SysFreeString(name);
  accessible->Release();
  return result;
}

}  // namespace wexmora::testing
