// The main window's event routing, which both views share: what each event
// on each control changes in the model and what it asks of the view.
#include "core/pass/main_window_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/model/control_names.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

using namespace main_controls;

// Records what the dispatcher asks, with the screenshot caption's place at
// the moment the screenshot is taken.
class RecordingView : public MainWindowView {
 public:
  explicit RecordingView(const TForm15& form) : form_(form) {}
  void syncControls() override { calls.push_back("syncControls"); }
  void syncWindow() override { calls.push_back("syncWindow"); }
  void showError(const std::string& message) override { calls.push_back("showError: " + message); }
  void closeWindow() override { calls.push_back("closeWindow"); }
  void placeToModel() override { calls.push_back("placeToModel"); }
  void prepareAboutWindow() override { calls.push_back("prepareAboutWindow"); }
  void syncAboutWindow() override { calls.push_back("syncAboutWindow"); }
  void saveScreenshot() override {
    calls.push_back("saveScreenshot at " + std::to_string(form_[kScreenshotCaption].left));
  }
  std::vector<std::string> calls;

 private:
  const TForm15& form_;
};

struct Window {
  TForm15 form;
  TForm4 about;
  void attachAbout() {
    form.aboutDialog = &about;
    form.top = 100;
    form.left = 200;
  }
  testing::RecordingUrlOpener opener;
  testing::FakeSettingsStore settings;
  RecordingView view{form};
  MainWindowEvents events{form, opener, settings, view};
};

struct EventCase {
  const char* event;
  std::function<void(Window&)> prepare;  // may be empty
  std::function<void(MainWindowEvents&)> act;
  std::vector<std::string> calls;
  std::function<void(const Window&)> check;  // may be empty
};

const std::vector<EventCase>& eventCases() {
  static const std::vector<EventCase> cases = {
      {"a move over the front photo shifts it and its captions",
       {},
       [](MainWindowEvents& e) { e.mouseMove(kFrontPhotoImage); },
       {"syncControls"},
       [](const Window& w) { EXPECT_EQ(w.form[kPhotoModelKey].left, 23); }},
      {"a move over a field has no handler", {}, [](MainWindowEvents& e) { e.mouseMove(kBrandString); }, {}, {}},
      {"pressing the screenshot caption moves it right",
       {},
       [](MainWindowEvents& e) { e.mouseDown(kScreenshotCaption); },
       {"syncControls"},
       [](const Window& w) { EXPECT_EQ(w.form[kScreenshotCaption].left, 372); }},
      {"pressing a picture does nothing yet", {}, [](MainWindowEvents& e) { e.mouseDown(kFrontPhotoImage); }, {}, {}},
      {"a click on the screenshot caption saves before the caption returns",
       [](Window& w) { w.events.mouseDown(kScreenshotCaption), w.view.calls.clear(); },
       [](MainWindowEvents& e) { EXPECT_TRUE(e.mouseUp(kScreenshotCaption, true)); },
       {"saveScreenshot at 372", "syncControls"},
       [](const Window& w) { EXPECT_EQ(w.form[kScreenshotCaption].left, 370); }},
      {"a release off the screenshot caption only puts it back",
       [](Window& w) { w.events.mouseDown(kScreenshotCaption), w.view.calls.clear(); },
       [](MainWindowEvents& e) { EXPECT_TRUE(e.mouseUp(kScreenshotCaption, false)); },
       {"syncControls"},
       [](const Window& w) { EXPECT_EQ(w.form[kScreenshotCaption].left, 370); }},
      {"a click on the front photo opens its page",
       [](Window& w) { w.form[kModelKey].text = "i5-8400", w.form.frontUrl = "https://front"; },
       [](MainWindowEvents& e) { EXPECT_FALSE(e.mouseUp(kFrontPhotoImage, true)); },
       {"syncWindow"},
       [](const Window& w) { EXPECT_EQ(w.opener.opened, std::vector<std::string>{"https://front"}); }},
      {"a caption over the front photo opens the same page",
       [](Window& w) { w.form[kModelKey].text = "i5-8400", w.form.frontUrl = "https://front"; },
       [](MainWindowEvents& e) { e.mouseUp(kPhotoSocket, true); },
       {"syncWindow"},
       [](const Window& w) { EXPECT_EQ(w.opener.opened, std::vector<std::string>{"https://front"}); }},
      {"a release that is no click opens nothing",
       [](Window& w) { w.form.frontUrl = "https://front"; },
       [](MainWindowEvents& e) { EXPECT_FALSE(e.mouseUp(kFrontPhotoImage, false)); },
       {},
       [](const Window& w) { EXPECT_TRUE(w.opener.opened.empty()); }},
      {"the identity button shows the hidden panel",
       {},
       [](MainWindowEvents& e) { e.click(kIdentityButton); },
       {"syncControls"},
       [](const Window& w) { EXPECT_TRUE(w.form[kIdentityPanel].visible); }},
      {"the identity button hides the shown panel",
       [](Window& w) { w.form[kIdentityPanel].visible = true; },
       [](MainWindowEvents& e) { e.click(kIdentityButton); },
       {"syncControls"},
       [](const Window& w) { EXPECT_FALSE(w.form[kIdentityPanel].visible); }},
      {"the panel's own button hides it",
       [](Window& w) { w.form[kIdentityPanel].visible = true; },
       [](MainWindowEvents& e) { e.click(kIdentityHide); },
       {"syncControls"},
       [](const Window& w) { EXPECT_FALSE(w.form[kIdentityPanel].visible); }},
      {"the close button closes the window", {}, [](MainWindowEvents& e) { e.click(kClose); }, {"closeWindow"}, {}},
      {"the about button shows the dialog below the window's place",
       [](Window& w) { w.attachAbout(); },
       [](MainWindowEvents& e) { e.click(kAboutButton); },
       {"prepareAboutWindow", "placeToModel", "syncAboutWindow"},
       [](const Window& w) {
         EXPECT_TRUE(w.about.visible);
         EXPECT_EQ(w.about.top, 100 + 145);
         EXPECT_EQ(w.about.left, 200 + 95);
       }},
      {"the about button hides the shown dialog",
       [](Window& w) { w.attachAbout(), w.about.visible = true; },
       [](MainWindowEvents& e) { e.click(kAboutButton); },
       {"prepareAboutWindow", "placeToModel", "syncAboutWindow"},
       [](const Window& w) { EXPECT_FALSE(w.about.visible); }},
      {"the about button does nothing before the dialog exists",
       {},
       [](MainWindowEvents& e) { e.click(kAboutButton); },
       {},
       {}},
      {"the camera button saves a screenshot in place",
       {},
       [](MainWindowEvents& e) { e.click(kScreenshotButton); },
       {"saveScreenshot at 370"},
       {}},
      {"a click on a field does nothing", {}, [](MainWindowEvents& e) { e.click(kCores); }, {}, {}},
      {"picking English switches and stores the language",
       {},
       [](MainWindowEvents& e) { e.pickLanguage(1); },
       {"syncWindow"},
       [](const Window& w) {
         EXPECT_EQ(w.form.comboIndex, 1);
         EXPECT_EQ(w.form[kClose].text, "Close");
         EXPECT_EQ(w.settings.values.at("Languages"), "1");
       }},
      {"a language that cannot be stored is shown as an error, switched all the same",
       [](Window& w) { w.settings.failWrites = true; },
       [](MainWindowEvents& e) { e.pickLanguage(1); },
       {"showError: Cannot write the setting Languages", "syncWindow"},
       [](const Window& w) { EXPECT_EQ(w.form[kClose].text, "Close"); }},
      {"typing into the product line is kept",
       {},
       [](MainWindowEvents& e) { e.textEdited(kProductLine, "mine"); },
       {},
       [](const Window& w) { EXPECT_EQ(w.form[kProductLine].text, "mine"); }},
      {"Escape hides the panel that is shown",
       [](Window& w) { w.form[kIdentityPanel].visible = true; },
       [](MainWindowEvents& e) { EXPECT_TRUE(e.escape()); },
       {"syncControls"},
       [](const Window& w) { EXPECT_FALSE(w.form[kIdentityPanel].visible); }},
      {"Escape without the panel is the view's key", {}, [](MainWindowEvents& e) { EXPECT_FALSE(e.escape()); }, {}, {}},
      {"the error that stopped the pass is shown once",
       [](Window& w) { w.form.passError = "Cannot read the setting Languages"; },
       [](MainWindowEvents& e) {
         e.showPassError();
         e.showPassError();
       },
       {"showError: Cannot read the setting Languages"},
       {}},
      {"no error, nothing to show", {}, [](MainWindowEvents& e) { e.showPassError(); }, {}, {}},
      {"a job of the view's runs guarded, then the window is redrawn",
       {},
       [](MainWindowEvents& e) { e.run([] { throw std::runtime_error("Cannot save the picture"); }); },
       {"showError: Cannot save the picture", "syncWindow"},
       {}},
      {"typing elsewhere is not taken",
       {},
       [](MainWindowEvents& e) { e.textEdited(kModelKey, "mine"); },
       {},
       [](const Window& w) { EXPECT_EQ(w.form[kModelKey].text, ""); }},
  };
  return cases;
}

TEST(MainWindowEvents, EachEventRunsItsHandlerAndAsksTheViewForItsPart) {
  for (const EventCase& c : eventCases()) {
    SCOPED_TRACE(c.event);
    Window window;
    if (c.prepare) c.prepare(window);
    c.act(window.events);
    EXPECT_EQ(window.view.calls, c.calls);
    if (c.check) c.check(window);
  }
}

// A view whose redrawing fails: the error reaches the error box, never the
// window system's event loop (where an exception ends the program).
class FailingView : public RecordingView {
 public:
  using RecordingView::RecordingView;
  void syncControls() override { throw std::runtime_error("cannot redraw"); }
  void syncWindow() override { throw std::runtime_error("cannot redraw the window"); }
  void saveScreenshot() override { throw std::runtime_error("cannot save"); }
};

TEST(MainWindowEvents, NoErrorLeavesAnEvent) {
  const std::function<void(MainWindowEvents&)> events[] = {
      [](MainWindowEvents& e) { e.mouseMove(kFrontPhotoImage); },
      [](MainWindowEvents& e) { e.mouseDown(kScreenshotCaption); },
      [](MainWindowEvents& e) { e.mouseUp(kScreenshotCaption, true); },
      [](MainWindowEvents& e) { e.click(kIdentityButton); },
      [](MainWindowEvents& e) { e.click(kScreenshotButton); },
      [](MainWindowEvents& e) { e.click(kFrontPhotoImage); },
      [](MainWindowEvents& e) { e.pickLanguage(1); },
  };
  for (const auto& event : events) {
    TForm15 form;
    testing::RecordingUrlOpener opener;
    testing::FakeSettingsStore settings;
    FailingView view(form);
    MainWindowEvents dispatcher(form, opener, settings, view);
    EXPECT_NO_THROW(event(dispatcher));
    ASSERT_FALSE(view.calls.empty());
    EXPECT_TRUE(view.calls.back().starts_with("showError: cannot")) << view.calls.back();
  }
}

}  // namespace
}  // namespace wexmora
