// Looking controls up by name: through the index of the design's names, and
// still right after a test or a view changed the list through controls().
#include "core/model/form_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

namespace wexmora {
namespace {

// The control a plain walk of the list finds, or nullptr.
const Control* walked(const Form& form, const std::string& name) {
  for (const Control& control : form.controls())
    if (control.name == name) return &control;
  return nullptr;
}

void expectEveryNameFound(const Form& form) {
  for (const Control& control : form.controls()) {
    ASSERT_TRUE(form.has(control.name)) << control.name;
    EXPECT_EQ(&form[control.name], walked(form, control.name)) << control.name;
  }
}

TEST(FormModel, DesignNamesAreFoundAndUnknownOnesThrow) {
  const TForm15 main;
  const TForm4 about;
  expectEveryNameFound(main);
  expectEveryNameFound(about);
  for (const char* name : {"", "Edit", "Edit71", "edit7", "Edit7 "}) {
    EXPECT_FALSE(main.has(name)) << name;
    EXPECT_THROW(main[name], std::out_of_range) << name;
  }
}

struct ListChange {
  const char* name;
  std::function<void(std::vector<Control>&)> change;
  const char* gone;   // a name no longer in the list
  const char* added;  // a name now in it
};

TEST(FormModel, LookupsFollowChangesMadeThroughTheList) {
  const ListChange changes[] = {
      {"renamed",
       [](auto& list) {
         std::find_if(list.begin(), list.end(), [](auto& c) { return c.name == "Edit7"; })->name = "Edit99";
       },
       "Edit7", "Edit99"},
      {"reversed", [](auto& list) { std::reverse(list.begin(), list.end()); }, "", "Edit7"},
      {"first removed", [](auto& list) { list.erase(list.begin()); }, nullptr, "Label1"},
      {"appended",
       [](auto& list) {
         Control extra;
         extra.name = "Extra";
         list.push_back(extra);
       },
       "", "Extra"},
      {"emptied", [](auto& list) { list.clear(); }, "Edit7", nullptr},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.name);
    TForm15 form;
    const std::string firstName = form.controls().front().name;
    c.change(form.controls());
    expectEveryNameFound(form);
    const std::string gone = c.gone ? c.gone : firstName;
    if (!gone.empty() && !walked(form, gone)) {
      EXPECT_FALSE(form.has(gone));
      EXPECT_THROW(form[gone], std::out_of_range);
    }
    if (c.added) {
      EXPECT_EQ(&form[c.added], walked(form, c.added));
    }
  }
}

TEST(FormModel, ACopyLooksUpItsOwnControls) {
  TForm15 original;
  TForm15 copy = original;
  copy["Edit7"].text = "copied";
  EXPECT_EQ(&copy["Edit7"], walked(copy, "Edit7"));
  EXPECT_EQ(original["Edit7"].text, "");
  TForm15 assigned;
  assigned = copy;
  EXPECT_EQ(assigned["Edit7"].text, "copied");
  EXPECT_EQ(&assigned["Edit7"], walked(assigned, "Edit7"));
}

}  // namespace
}  // namespace wexmora
