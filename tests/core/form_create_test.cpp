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

TEST(FormCreate, CentresOnTheScreenRoundingTowardZero) {
  const struct {
    int screenWidth, screenHeight, left, top;
  } cases[] = {
      {1920, 1080, (1920 - 474) / 2, (1080 - 386) / 2},
      {474, 386, 0, 0},
      {467, 379, -3, -3},  // -7 / 2 gives -3, not -4
      {0, 0, -237, -193},
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
