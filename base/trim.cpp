#include "base/trim.h"

namespace wexmora::base {
namespace {

template <class Strip>
std::string_view trimIf(std::string_view text, Strip strip) {
  while (!text.empty() && strip(text.front())) text.remove_prefix(1);
  while (!text.empty() && strip(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view trim(std::string_view text) {
  return trimIf(text, [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

std::string_view trim(std::string_view text, std::string_view characters) {
  return trimIf(text, [characters](char c) { return characters.find(c) != std::string_view::npos; });
}

}  // namespace wexmora::base
