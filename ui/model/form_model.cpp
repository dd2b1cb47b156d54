#include "ui/model/form_model.h"

#include <algorithm>
#include <stdexcept>

namespace wexmora {

Control& Form::operator[](std::string_view name) { return const_cast<Control&>(static_cast<const Form&>(*this)[name]); }

const Control& Form::operator[](std::string_view name) const {
  const auto it = std::find_if(controls_.begin(), controls_.end(), [&](const Control& c) { return c.name == name; });
  if (it == controls_.end()) throw std::out_of_range("no control named " + std::string(name));
  return *it;
}

bool Form::has(std::string_view name) const {
  return std::any_of(controls_.begin(), controls_.end(), [&](const Control& c) { return c.name == name; });
}

}  // namespace wexmora
