#include "ui/model/form_model.h"

#include <algorithm>
#include <stdexcept>

namespace wexmora {
namespace {

// Component names share long prefixes ("Edit1", "Edit11"); the last
// character tells most of them apart without a full comparison.
bool named(const Control& control, std::string_view name) {
  const std::string& own = control.name;
  return own.size() == name.size() && (own.empty() || own.back() == name.back()) && own == name;
}

}  // namespace

Control& Form::operator[](std::string_view name) { return const_cast<Control&>(static_cast<const Form&>(*this)[name]); }

const Control& Form::operator[](std::string_view name) const {
  const auto it = std::find_if(controls_.begin(), controls_.end(), [&](const Control& c) { return named(c, name); });
  if (it == controls_.end()) throw std::out_of_range("no control named " + std::string(name));
  return *it;
}

bool Form::has(std::string_view name) const {
  return std::any_of(controls_.begin(), controls_.end(), [&](const Control& c) { return named(c, name); });
}

}  // namespace wexmora
