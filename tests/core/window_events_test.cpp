#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "core/pass/handlers.h"

namespace wexmora {
namespace {

using Place = std::pair<int, int>;

// Expected positions after a move over each control, written from the
// window's hover table, not from the code.
struct HoverCase {
  const char* over;
  std::map<std::string, Place> placed;
};

const HoverCase kHoverCases[] = {
    {"Image2", {{"Image2", {12, 21}}, {"Label1", {23, 63}}, {"Label14", {23, 76}}, {"Label15", {23, 90}}}},
    {"Image3", {{"Image3", {117, 21}}}},
    {"Image4", {{"Image4", {206, 7}}}},
    {"Image1", {{"Image4", {203, 3}}}},
    {"GroupBox1",
     {{"Image2", {11, 18}},
      {"Image3", {115, 18}},
      {"Image4", {203, 3}},
      {"Label1", {22, 59}},
      {"Label14", {22, 74}},
      {"Label15", {22, 87}},
      {"SpeedButton5", {382, 16}}}},
    {"SpeedButton4", {{"SpeedButton4", {412, 18}}, {"SpeedButton5", {382, 16}}}},
    {"SpeedButton5", {{"SpeedButton5", {385, 18}}}},
    {"GroupBox2", {{"SpeedButton4", {410, 16}}, {"SpeedButton5", {382, 16}}}},
};

// Moves every control the hover shifts touch away, so that each expected
// position has to be written by the handler.
void scatter(TForm15& form) {
  for (const char* name :
       {"Image2", "Image3", "Image4", "Label1", "Label14", "Label15", "SpeedButton4", "SpeedButton5"}) {
    form[name].left = -100;
    form[name].top = -100;
  }
}

TEST(HoverShift, EachHandlerSetsExactlyItsPositions) {
  for (const HoverCase& c : kHoverCases) {
    SCOPED_TRACE(c.over);
    TForm15 form;
    scatter(form);
    const TForm15 before = form;
    ASSERT_TRUE(MouseMoveOver(form, c.over));
    for (const Control& control : form.controls()) {
      const auto expected = c.placed.find(control.name);
      const Control& old = before[control.name];
      if (expected == c.placed.end()) {
        EXPECT_EQ(Place(control.left, control.top), Place(old.left, old.top)) << control.name << " must not move";
      } else {
        EXPECT_EQ(Place(control.left, control.top), expected->second) << control.name;
      }
    }
  }
}

TEST(HoverShift, ControlsWithoutHandlerLeaveShiftedPicturesShifted) {
  TForm15 form;
  ASSERT_TRUE(MouseMoveOver(form, "Image2"));
  for (const char* name : {"Label1", "Label22", "Edit1", "Panel1", "Memo2", "ComboBox1", "Label11"}) {
    EXPECT_FALSE(MouseMoveOver(form, name)) << name;
    EXPECT_EQ(Place(form["Image2"].left, form["Image2"].top), Place(12, 21)) << name;
  }
  ASSERT_TRUE(MouseMoveOver(form, "GroupBox1"));
  EXPECT_EQ(Place(form["Image2"].left, form["Image2"].top), Place(11, 18));
}

TEST(FmsPanel, ButtonTogglesAndHideButtonOnlyHides) {
  struct Step {
    void (*handler)(TForm15&);
    bool visibleAfter;
  };
  const Step steps[] = {
      {Button3Click, false},       // hiding a hidden panel changes nothing
      {SpeedButton5Click, true},   // first click shows it
      {SpeedButton5Click, false},  // second click hides it
      {SpeedButton5Click, true},   //
      {Button3Click, false},       //
      {Button3Click, false},       //
  };
  TForm15 form;
  ASSERT_FALSE(form["Panel1"].visible);
  int i = 0;
  for (const Step& step : steps) {
    step.handler(form);
    EXPECT_EQ(form["Panel1"].visible, step.visibleAfter) << "step " << i++;
  }
}

TEST(AboutButton, TogglesAndPlacesTheDialogEitherWay) {
  struct Case {
    int mainLeft, mainTop;
    bool visibleBefore;
  };
  const Case cases[] = {{100, 200, false}, {100, 200, true}, {-7, -3, false}, {1500, 10, true}};
  for (const Case& c : cases) {
    TForm15 form;
    TForm4 about;
    form.left = c.mainLeft;
    form.top = c.mainTop;
    about.visible = c.visibleBefore;
    SpeedButton4Click(form, about);
    EXPECT_EQ(about.visible, !c.visibleBefore);
    EXPECT_EQ(about.left, c.mainLeft + 95);
    EXPECT_EQ(about.top, c.mainTop + 145);
  }
}

TEST(ScreenshotCaption, PressMovesRightAndReleaseMovesBack) {
  TForm15 form;
  ASSERT_EQ(form["Label11"].left, 370);
  Label11MouseDown(form);
  EXPECT_EQ(form["Label11"].left, 372);
  EXPECT_EQ(form["Label11"].top, 200);
  Label11MouseDown(form);  // a second button held down
  EXPECT_EQ(form["Label11"].left, 372);
  Label11MouseUp(form);
  EXPECT_EQ(form["Label11"].left, 370);
  EXPECT_EQ(form["Label11"].top, 200);
}

}  // namespace
}  // namespace wexmora
