#pragma once
// The main window in its design state, shared by the targets that run stages
// of the identification pass: building a TForm15 (and indexing its names) for
// every input would cost more than the stage itself, so each input starts
// from a copy of the design form, and a check tells which controls a stage
// changed.
#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/model/form_model.h"

namespace wexmora::fuzz {

inline const TForm15& designForm() {
  static const TForm15 form;
  return form;
}

// Puts the whole form back to the design state.
inline void restoreControls(TForm15& form) { form = designForm(); }

// Puts only the named controls back to the design state.
inline void restoreControls(TForm15& form, std::initializer_list<std::string_view> names) {
  for (const auto name : names) form[name] = designForm()[name];
}

inline bool sameControl(const Control& a, const Control& b) {
  return a.name == b.name && a.parent == b.parent && a.kind == b.kind && a.text == b.text && a.hint == b.hint &&
         a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.visible == b.visible &&
         a.picture == b.picture;
}

// The names of the controls that differ from the design, other than `allowed`.
inline std::string changedOutside(const TForm15& form, std::span<const std::string_view> allowed) {
  std::string changed;
  const auto& design = designForm().controls();
  const auto& now = form.controls();
  if (design.size() != now.size()) return "the number of controls changed";
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (std::find(allowed.begin(), allowed.end(), now[i].name) != allowed.end()) continue;
    if (!sameControl(design[i], now[i])) changed += now[i].name + " ";
  }
  return changed;
}

}  // namespace wexmora::fuzz
