#pragma once
// The badge of Image1 and the final corrections of the identification pass:
// badge rules evaluated in order (the last rule that holds decides the
// picture, the last one with a left decides the left), then the base clock of
// the G6900 and G6900T and the LGA1150 fill-in.
#include <array>
#include <span>
#include <string_view>

#include "core/model/control_names.h"
#include "core/model/form_model.h"

namespace wexmora {

// The text a rule tests, read from the window for every test.
enum class TestedText { ProductLine, BrandString, ModelKey };
// The field that shows it: Edit18, Edit1 or Edit7.
const char* testedField(TestedText tested);
// The field whose text holds a rule's socket group.
inline constexpr const char* kSocketField = main_controls::kSocket;

inline constexpr int kLeftUnchanged = -1;

struct BadgeRule {
  const char* number;                  // as the rule list numbers it, e.g. "6.4"
  const char* socket;                  // group: Edit11 contains it; nullptr = every processor
  TestedText tested;                   // the text searched for the literals
  std::array<const char*, 3> literal;  // any of them (nullptr ends the list)
  int badge;                           // index in the badge list
  int left;                            // Image1's new left, or kLeftUnchanged
};

// Rule 1 (LGA771), then rules 3.1 to 10.6.
std::span<const BadgeRule> lga771Rules();
std::span<const BadgeRule> badgeRules();

// The fields the LGA1150 fill-in gives the unknown-value text when empty.
std::span<const char* const> lga1150UnknownFields();

inline constexpr int kBadgeTop = 3;

// Rules 1 to 10: the badge of Image1, its size and place.
void chooseBadge(TForm15& form);

// After the badge: the base clock of the G6900 and G6900T, whose records carry
// none (Edit5, which no badge rule reads), then the LGA1150 fill-in (which
// writes fields the rules read, so it must follow them).
void applyFinalCorrections(TForm15& form);

}  // namespace wexmora
