// The about dialog's event routing, which both views share: what each event
// changes in the dialog's model, what it opens and what it asks of the view.
#include "core/pass/about_dialog_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/site.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

class RecordingAboutView : public AboutDialogView {
 public:
  void syncTexts() override { calls.push_back("syncTexts"); }
  void syncWindow() override { calls.push_back("syncWindow"); }
  std::vector<std::string> calls;
};

struct Dialog {
  TForm15 main;
  TForm4 about;
  testing::RecordingUrlOpener opener;
  RecordingAboutView view;
  AboutDialogEvents events{about, main, opener, view};
};

struct AboutEventCase {
  const char* event;
  std::function<void(Dialog&)> prepare;  // may be empty
  std::function<void(AboutDialogEvents&)> act;
  std::vector<std::string> calls;
  bool visibleAfter;
  std::vector<std::string> opened;
  std::function<void(const Dialog&)> check;  // may be empty
};

const std::vector<AboutEventCase>& aboutCases() {
  const std::string home = site::base() + "/index.html";
  static const std::vector<AboutEventCase> cases = {
      {"the close button hides the dialog",
       {},
       [](AboutDialogEvents& e) { e.click("Button1"); },
       {"syncWindow"},
       false,
       {},
       {}},
      {"the close box hides it as the close button does",
       {},
       [](AboutDialogEvents& e) { e.closeBox(); },
       {"syncWindow"},
       false,
       {},
       {}},
      {"the site button opens the home page and leaves the dialog shown",
       {},
       [](AboutDialogEvents& e) { e.click("Button2"); },
       {},
       true,
       {home},
       {}},
      {"the site's address opens the home page too",
       {},
       [](AboutDialogEvents& e) { e.click("Label4"); },
       {},
       true,
       {home},
       {}},
      {"the title line has no click handler", {}, [](AboutDialogEvents& e) { e.click("Label1"); }, {}, true, {}, {}},
      {"the logo has no click handler", {}, [](AboutDialogEvents& e) { e.click("Image1"); }, {}, true, {}, {}},
      {"activation in English gives the English texts",
       [](Dialog& d) { d.main.comboIndex = 1; },
       [](AboutDialogEvents& e) { e.activated(); },
       {"syncTexts"},
       true,
       {},
       [](const Dialog& d) {
         EXPECT_EQ(d.about["Button1"].text, "Close");
         EXPECT_EQ(d.about["Button2"].text, "Site program");
         EXPECT_EQ(d.about.caption, "About Wexmora v.1.5");
       }},
      {"activation in Russian gives the Russian texts",
       [](Dialog& d) { d.main.comboIndex = 0; },
       [](AboutDialogEvents& e) { e.activated(); },
       {"syncTexts"},
       true,
       {},
       [](const Dialog& d) {
         EXPECT_EQ(d.about["Button1"].text, "Закрыть");
         EXPECT_EQ(d.about["Button2"].text, "Сайт программы");
         EXPECT_EQ(d.about.caption, "О программе Wexmora v.1.5");
       }},
  };
  return cases;
}

TEST(AboutDialogEvents, EachEventRunsItsHandlerAndAsksTheViewForItsPart) {
  for (const AboutEventCase& c : aboutCases()) {
    SCOPED_TRACE(c.event);
    Dialog dialog;
    dialog.about.visible = true;
    if (c.prepare) c.prepare(dialog);
    c.act(dialog.events);
    EXPECT_EQ(dialog.view.calls, c.calls);
    EXPECT_EQ(dialog.about.visible, c.visibleAfter);
    EXPECT_EQ(dialog.opener.opened, c.opened);
    if (c.check) c.check(dialog);
  }
}

// The table names controls of the dialog, so a typo fails here.
TEST(AboutDialogEvents, EveryClickNamesAControlOfTheDialog) {
  const TForm4 about;
  for (const AboutEvent& event : aboutEvents())
    if (event.kind == AboutEventKind::Click) {
      ASSERT_NE(event.control, nullptr);
      EXPECT_TRUE(about.has(event.control)) << event.control;
    }
}

}  // namespace
}  // namespace wexmora
