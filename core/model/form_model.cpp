#include "core/model/form_model.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace wexmora {
namespace {

// Component names share long prefixes ("Edit1", "Edit11"); the last
// character tells most of them apart without a full comparison.
bool named(const Control& control, std::string_view name) {
  const std::string& own = control.name;
  return own.size() == name.size() && (own.empty() || own.back() == name.back()) && own == name;
}

}  // namespace

void Form::setControls(std::vector<Control> controls) {
  controls_ = std::move(controls);
  auto index = std::make_shared<Index>();
  for (std::size_t i = 0; i < controls_.size(); ++i) index->emplace(controls_[i].name, i);
  index_ = std::move(index);
}

const Control& Form::remember(const char* name, const Control& found) const {
  LastFound& last = lastFound(name);
  last.name = name;
  last.position = static_cast<std::size_t>(&found - controls_.data());
  return found;
}

const Control* Form::find(std::string_view name) const {
  if (index_) {
    if (const auto hit = index_->find(name);
        hit != index_->end() && hit->second < controls_.size() && controls_[hit->second].name == name)
      return &controls_[hit->second];
  }
  const auto it = std::find_if(controls_.begin(), controls_.end(), [&](const Control& c) { return named(c, name); });
  return it == controls_.end() ? nullptr : &*it;
}

Control& Form::operator[](std::string_view name) { return const_cast<Control&>(static_cast<const Form&>(*this)[name]); }

const Control& Form::operator[](std::string_view name) const {
  const Control* control = find(name);
  if (!control) throw std::out_of_range("no control named " + std::string(name));
  return *control;
}

bool Form::has(std::string_view name) const { return find(name) != nullptr; }

}  // namespace wexmora
