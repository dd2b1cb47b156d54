// The names a screen reader hears for the controls of both windows, in both
// languages and across a switch, and the keyboard's order through them.
#include "core/window/accessible_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/window/localisation.h"

namespace wexmora {
namespace {

TForm15 shown(int languageIndex) {
  TForm15 form;
  form["Edit7"].text = "i5-8400";
  form.comboIndex = languageIndex;
  applyPassLanguage(form);
  return form;
}

std::string mainName(const TForm15& form, const char* control) {
  return accessibleName(form, mainWindowNames(), control, windowLanguage(form));
}

struct NameCase {
  const char* control;
  const char* russian;
  const char* english;
};

TEST(AccessibleNames, EachControlIsNamedInTheWindowsLanguage) {
  const NameCase cases[] = {
      {"Edit8", "Ядер", "Cores"},
      {"Edit9", "Потоки", "Streams"},
      {"Edit10", "Макс. темп", "Max. temp..."},
      {"Edit1", "Полное название процессора", "Full name of the processor"},
      {"Memo2", "Технологии, интерфейсы, функции в процессоре", "Technologies, interfaces, functions in the processor"},
      {"ComboBox1", "Languages", "Languages"},
      {"Edit3", "Модель", "Model"},
      {"Button2", "Закрыть", "Close"},
      {"Button3", "Скрыть", "Hide"},
      {"SpeedButton3", "Сохранить скриншот окна", "Save a screenshot of the window"},
      {"SpeedButton4", "О программе", "About the program"},
      {"SpeedButton5", "Показать или скрыть семейство, модель и степпинг", "Show or hide family, model and stepping"},
      {"Image2", "Открыть страницу с фото процессора", "Open the front photo's page"},
      {"Image4", "Открыть страницу с подробной информацией о процессоре", "Open the processor's detailed page"},
      {"Label8", "", ""},  // a caption reads itself
  };
  const TForm15 russian = shown(0), english = shown(1);
  for (const NameCase& c : cases) {
    EXPECT_EQ(mainName(russian, c.control), c.russian) << c.control;
    EXPECT_EQ(mainName(english, c.control), c.english) << c.control;
  }
}

TEST(AccessibleNames, FollowALanguageSwitchBothWays) {
  TForm15 form = shown(0);
  form.comboIndex = 1;
  Englang(form);
  EXPECT_EQ(mainName(form, "Edit8"), "Cores");
  EXPECT_EQ(mainName(form, "SpeedButton3"), "Save a screenshot of the window");
  form.comboIndex = 0;
  ruslang(form);
  EXPECT_EQ(mainName(form, "Edit8"), "Ядер");
  EXPECT_EQ(mainName(form, "SpeedButton3"), "Сохранить скриншот окна");
}

TEST(AccessibleNames, AboutDialogNamesItsLinkAndButtons) {
  TForm4 about;
  EXPECT_EQ(accessibleName(about, aboutDialogNames(), "Label4", Language::Russian), "Открыть сайт программы");
  EXPECT_EQ(accessibleName(about, aboutDialogNames(), "Label4", Language::English), "Open the program's web site");
  EXPECT_EQ(accessibleName(about, aboutDialogNames(), "Button1", Language::Russian), "Закрыть");
}

// Every value field and every control the user works is named, no two alike,
// in either language, in either window.
TEST(AccessibleNames, EveryWorkedControlHasAName_NoTwoAlike) {
  for (int index : {0, 1}) {
    const TForm15 form = shown(index);
    std::set<std::string> names;
    for (const AccessibleName& row : mainWindowNames()) {
      ASSERT_TRUE(form.has(row.control)) << row.control;
      if (row.caption) {
        ASSERT_TRUE(form.has(row.caption)) << row.caption;
      }
      const std::string name = mainName(form, row.control);
      EXPECT_FALSE(name.empty()) << row.control;
      EXPECT_TRUE(names.insert(name).second) << row.control << " shares \"" << name << "\"";
    }
    for (const Control& control : form.controls()) {
      const bool worked = control.kind == ControlKind::Edit || control.kind == ControlKind::Memo ||
                          control.kind == ControlKind::ComboBox || control.kind == ControlKind::Button ||
                          control.kind == ControlKind::SpeedButton;
      if (worked && control.name != "Edit20") {
        EXPECT_NE(accessibleRow(mainWindowNames(), control.name), nullptr) << control.name << " has no name";
      }
    }
    TForm4 about;
    std::set<std::string> aboutNames;
    for (const AccessibleName& row : aboutDialogNames()) {
      ASSERT_TRUE(about.has(row.control)) << row.control;
      EXPECT_TRUE(
          aboutNames.insert(accessibleName(about, aboutDialogNames(), row.control, windowLanguage(form))).second)
          << row.control;
    }
  }
}

// The keyboard reaches each named control that is worked, once, and only those.
TEST(AccessibleNames, FocusOrderHoldsEveryWorkedControlOnce) {
  const struct {
    std::span<const AccessibleName> names;
    std::span<const char* const> order;
  } windows[] = {{mainWindowNames(), mainWindowFocusOrder()}, {aboutDialogNames(), aboutDialogFocusOrder()}};
  for (const auto& window : windows) {
    std::set<std::string> seen;
    for (const char* control : window.order) {
      const AccessibleName* row = accessibleRow(window.names, control);
      ASSERT_NE(row, nullptr) << control;
      EXPECT_TRUE(row->role != AccessRole::Picture && row->role != AccessRole::Group) << control;
      EXPECT_TRUE(seen.insert(control).second) << control << " twice";
    }
    for (const AccessibleName& row : window.names)
      if (row.role != AccessRole::Picture && row.role != AccessRole::Group) {
        EXPECT_EQ(seen.count(row.control), 1u) << row.control << " not reached";
      }
  }
  // The data sheet keeps its designed order: the brand string first, the socket last.
  const auto order = mainWindowFocusOrder();
  EXPECT_STREQ(order[3], "Edit1");
  EXPECT_STREQ(order[21], "Edit11");
}

}  // namespace
}  // namespace wexmora
