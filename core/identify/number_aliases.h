#pragma once
// Numbers that brand strings write under another name than the product
// tables: Intel's small-package and ultra-low-voltage parts of the Core 2
// years drop the "S" of their number ("U7300" is the Core 2 Duo SU7300),
// and some parts sold under a line write no line at all ("Genuine Intel(R)
// CPU 2140" is the Pentium Dual-Core E2140). Each row names the model-number
// rule that reads the number, the number as the brand string writes it, the
// family and model that must agree where the number alone could name another
// chip, and the extended table's key. Only facts the maker's own lists
// settle are here; the engineering samples' "0000" names no product.
#include <optional>
#include <span>
#include <string_view>

#include "core/model/pass_facts.h"

namespace wexmora {

struct NumberAlias {
  std::string_view rule;    // the model-number rule that reads the number ("intel-genuine")
  std::string_view number;  // as the brand string writes it ("U7300")
  int family = 0;           // 0: the number is enough
  int model = 0;
  std::string_view key;     // the extended table's key ("Core2 U7300")
  std::string_view source;  // where the maker says so
};

std::span<const NumberAlias> numberAliases();

// The key the rule's number stands for, or nothing. A row that names a
// family and model answers only when `identity` agrees.
std::optional<std::string_view> aliasedKey(std::string_view rule, std::string_view number,
                                           std::optional<FamilyModel> identity);

}  // namespace wexmora
