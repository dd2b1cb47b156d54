#include "views/win32/hit_test.h"

#include "views/win32/layout.h"

namespace wexmora::win32 {

const Control* windowlessControlAt(const Form& form, std::string_view frame, POINT point, const DisplayScale& scale) {
  const auto& controls = form.controls();
  // Later controls are painted over earlier ones.
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    if (it->parent != frame || !it->visible || hasWindow(it->kind)) continue;
    const ControlRect r = scaledRect(*it, scale);
    if (point.x >= r.left && point.x < r.left + r.width && point.y >= r.top && point.y < r.top + r.height) return &*it;
  }
  return nullptr;
}

}  // namespace wexmora::win32
