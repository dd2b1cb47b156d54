// Every table that names controls by their component names names controls
// of its window, so that a typo fails here and not as std::out_of_range the
// first time its path runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/info/report.h"
#include "core/catalogue/badge_rules.h"
#include "core/catalogue/lookup.h"
#include "core/identify/probe.h"
#include "core/model/form_model.h"
#include "core/pass/handlers.h"
#include "core/window/localisation.h"

namespace wexmora {
namespace {

struct NamingTable {
  const char* table;
  std::vector<std::string> names;
};

template <class Rows, class Name>
std::vector<std::string> namesOf(const Rows& rows, Name name) {
  std::vector<std::string> names;
  for (const auto& row : rows) names.emplace_back(name(row));
  return names;
}

std::vector<std::string> plain(std::span<const char* const> names) { return {names.begin(), names.end()}; }

std::vector<std::string> hoverNames() {
  std::vector<std::string> names;
  for (const HoverShift& shift : hoverShifts()) {
    names.emplace_back(shift.over);
    for (const auto& position : shift.positions)
      if (position.control) names.emplace_back(position.control);
  }
  return names;
}

std::vector<std::string> badgeRuleNames() {
  std::vector<std::string> names{kSocketField};
  for (const auto rules : {lga771Rules(), badgeRules()})
    for (const BadgeRule& rule : rules) names.emplace_back(testedField(rule.tested));
  return names;
}

std::vector<std::string> sheetNames() {
  std::vector<std::string> names;
  for (const info::SheetRow& row : info::dataSheetRows()) {
    names.emplace_back(row.field);
    if (row.caption) names.emplace_back(row.caption);
  }
  return names;
}

TEST(ControlNames, EveryTableNamesControlsOfTheMainWindow) {
  const NamingTable tables[] = {
      {"probe: data fields", plain(dataFields())},
      {"probe: identifier fields", namesOf(identifierFields(), [](const IdentifierField& f) { return f.field; })},
      {"lookup: record fields", plain(recordFieldTargets())},
      {"badge rules: tested fields", badgeRuleNames()},
      {"badge rules: LGA1150 fill-in", plain(lga1150UnknownFields())},
      {"localisation: texts", namesOf(interfaceTexts(), [](const InterfaceText& t) { return t.control; })},
      {"localisation: fill-ins", namesOf(fillIns(), [](const FillIn& f) { return f.field; })},
      {"localisation: Russian no-processor hints", plain(noProcessorHintTargets(0))},
      {"localisation: English no-processor hints", plain(noProcessorHintTargets(1))},
      {"hover shifts", hoverNames()},
      {"picture clicks", namesOf(pictureClicks(), [](const PictureClick& c) { return c.control; })},
      {"report sheet", sheetNames()},
  };
  const TForm15 form;
  for (const NamingTable& t : tables) {
    SCOPED_TRACE(t.table);
    EXPECT_FALSE(t.names.empty());
    for (const std::string& name : t.names) EXPECT_TRUE(form.has(name)) << "no control named \"" << name << "\"";
  }
}

// The check itself: a name that is not a control is noticed.
TEST(ControlNames, AMisspelledNameIsNoControl) {
  const TForm15 form;
  for (const char* typo : {"Edit 7", "edit7", "Edit21", "Label0", ""}) EXPECT_FALSE(form.has(typo)) << typo;
}

}  // namespace
}  // namespace wexmora
