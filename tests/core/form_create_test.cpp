// FormCreate: centring with rounding toward zero, the pass, and an error that
// ends the pass early.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/pass/pass.h"
#include "support/fakes.h"

namespace wexmora {
namespace {

class ThrowingSource : public platform::ProcessorSource {
 public:
  std::string readcpuname() override { return "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz"; }
  std::string readcpuid() override { throw std::runtime_error("Invalid data type for 'Identifier'"); }
};

// The window is 474 by 386 pixels; left and top worked out by hand.
TEST(FormCreate, CentresOnTheScreenRoundingTowardZero) {
  const struct {
    int screenWidth, screenHeight, left, top;
  } cases[] = {
      // clang-format off
      // screen      left  top
      {1920, 1080,   723,  347},
      {1366,  768,   446,  191},
      {1921, 1081,   723,  347},  // 1447 / 2 and 695 / 2: the half is dropped
      {1280, 1024,   403,  319},
      { 800,  600,   163,  107},
      { 475,  387,     0,    0},
      { 474,  386,     0,    0},
      { 473,  385,     0,    0},  // -1 / 2 gives 0, not -1
      { 467,  379,    -3,   -3},  // -7 / 2 gives -3, not -4
      { 320,  240,   -77,  -73},
      {   1,    1,  -236, -192},  // -473 / 2 and -385 / 2
      {   0,    0,  -237, -193},
      // clang-format on
  };
  for (const auto& c : cases) {
    TForm15 form;
    platform::FixedProcessorSource source("", "");
    testing::FakeSettingsStore settings;
    testing::RecordingSleeper sleeper;
    catalogue::Lists lists;
    PassServices services{source, settings, sleeper, lists};
    FormCreate(form, services, c.screenWidth, c.screenHeight);
    EXPECT_EQ(form.left, c.left) << c.screenWidth;
    EXPECT_EQ(form.top, c.top) << c.screenHeight;
    EXPECT_EQ(form.height, TForm15::kPassHeight);
    EXPECT_EQ(form.passError, "");
  }
}

TEST(FormCreate, AnErrorEndsThePassAndIsKeptForTheWindow) {
  TForm15 form;
  ThrowingSource source;
  testing::FakeSettingsStore settings;
  testing::RecordingSleeper sleeper;
  catalogue::Lists lists;
  PassServices services{source, settings, sleeper, lists};
  FormCreate(form, services, 1024, 768);
  EXPECT_EQ(form.passError, "Invalid data type for 'Identifier'");
  EXPECT_EQ(form["Edit1"].text, "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz");  // filled before the error
  EXPECT_EQ(form["Edit5"].text, "");                                         // the pass stopped before the clock
  EXPECT_EQ(form.height, 386);                                               // and before the height
}

}  // namespace
}  // namespace wexmora
