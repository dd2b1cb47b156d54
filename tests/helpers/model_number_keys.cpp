// wexmora-model-number-keys: reads lines "brand<TAB>family<TAB>model" (family
// and model may be empty) from standard input and prints, one line each, the
// extended table's key the model-number reader gives for that brand string,
// or an empty line when it reads none. The extended table's tool is checked
// against the program's own reader with it.
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "core/identify/model_number.h"

namespace {

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::string_view text = line;
    const std::size_t first = text.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : text.find('\t', first + 1);
    std::optional<wexmora::FamilyModel> identity;
    if (second != std::string_view::npos) {
      const auto family = number(text.substr(first + 1, second - first - 1));
      const auto model = number(text.substr(second + 1));
      if (family && model) identity = wexmora::FamilyModel{*family, *model};
    }
    const auto reading = wexmora::readModelNumber(text.substr(0, first), identity);
    std::cout << (reading ? reading->key : "") << '\n';
  }
  return 0;
}
