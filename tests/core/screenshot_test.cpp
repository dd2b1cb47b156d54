// The screenshot handler's order of work (dialog, capture, JPEG file) and
// the save dialog's settings, with a scripted dialog and a fake capture.
#include "core/window/screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "base/utf8_path.h"
#include "core/pass/handlers.h"
#include "support/jpeg_header.h"
#include "support/temp_dir.h"

namespace wexmora {
namespace {

using TempDir = testing::TempDir;
using testing::readFile;

testing::JpegHeader decode(const std::vector<std::uint8_t>& data) { return testing::readJpegHeader(data); }

// The screenshot's order of work, with a scripted dialog and a capture that
// paints a plain picture of the size asked for.
class ScriptedDialog : public SaveDialogRunner {
 public:
  std::vector<std::optional<SaveChoice>> answers;
  std::vector<SavePictureDialog> shown;
  std::optional<SaveChoice> run(const SavePictureDialog& dialog) override {
    shown.push_back(dialog);
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

class PlainCapture : public WindowCapture {
 public:
  std::vector<std::pair<int, int>> sizes;
  RgbImage capture(int width, int height) override {
    sizes.emplace_back(width, height);
    return RgbImage{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, 200)};
  }
};

TEST(SaveDialogSettings, DesignState) {
  const SavePictureDialog dialog;
  EXPECT_EQ(dialog.fileName, "Screen");
  EXPECT_EQ(dialog.folder, "");
  EXPECT_EQ(dialog.filterIndex, 2);
  const std::vector<std::string> expected = {"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)",
                                             "JPEG Image File (*.jpg)",
                                             "JPEG Image File (*.jpeg)",
                                             "Bitmaps (*.bmp)",
                                             "Icons (*.ico)",
                                             "Enhanced Metafiles (*.emf)",
                                             "Metafiles (*.wmf)"};
  EXPECT_EQ(SavePictureDialog::filters(), expected);
}

TEST(SaveDialogSettings, DefaultExtensionOnlyForBareNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"/tmp/Screen", "/tmp/Screen.jpg"},   {"/tmp/shot.bmp", "/tmp/shot.bmp"}, {"/tmp/a.b/shot", "/tmp/a.b/shot.jpg"},
      {"/tmp/shot.jpeg", "/tmp/shot.jpeg"}, {"Снимок", "Снимок.jpg"},
  };
  for (const auto& [typed, saved] : cases) EXPECT_EQ(SavePictureDialog::withDefaultExtension(typed), saved) << typed;
}

TEST_F(TempDir, ScreenshotWritesJpegWhateverNameAndType) {
  struct Case {
    const char* typed;
    int filter;
    const char* written;
  };
  const Case cases[] = {
      {"Screen", 2, "Screen.jpg"},        // bare name: ".jpg" appended
      {"picture.bmp", 4, "picture.bmp"},  // a bitmap name still holds JPEG data
      {"Screen.jpg", 1, "Screen.jpg"},    // existing file replaced without a question
  };
  TForm15 form;
  form.height = TForm15::kPassHeight;
  SavePictureDialog dialog;
  ScriptedDialog runner;
  PlainCapture capture;
  for (const Case& c : cases) runner.answers.push_back(SaveChoice{base::pathToUtf8(dir / c.typed), c.filter});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const auto written = SpeedButton3Click(form, dialog, runner, capture);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, base::pathToUtf8(dir / c.written));
    const testing::JpegHeader header = decode(readFile(dir / c.written));
    EXPECT_EQ(header.width, form.width);
    EXPECT_EQ(header.height, form.height + 2);
    EXPECT_EQ(dialog.filterIndex, 2) << "JPEG type preselected again";
  }
  EXPECT_EQ(entries(), 2u);
  ASSERT_EQ(runner.shown.size(), 3u);
  // The dialog offered what was chosen last, and JPEG after the bitmap type.
  EXPECT_EQ(runner.shown[0].fileName, "Screen");
  EXPECT_EQ(runner.shown[1].fileName, "Screen.jpg");
  EXPECT_EQ(runner.shown[1].folder, base::pathToUtf8(dir));
  EXPECT_EQ(runner.shown[2].fileName, "picture.bmp");
  EXPECT_EQ(runner.shown[2].filterIndex, 2);
  for (const auto& size : capture.sizes) EXPECT_EQ(size, std::make_pair(474, 389));
}

TEST_F(TempDir, CancelledDialogCapturesAndWritesNothing) {
  TForm15 form;
  SavePictureDialog dialog;
  ScriptedDialog runner;
  PlainCapture capture;
  runner.answers.push_back(std::nullopt);
  EXPECT_FALSE(SpeedButton3Click(form, dialog, runner, capture));
  EXPECT_TRUE(capture.sizes.empty());
  EXPECT_EQ(dialog.fileName, "Screen");
  EXPECT_EQ(entries(), 0u);
}

TEST_F(TempDir, FailedScreenshotThrowsAndResetsTheType) {
  std::ofstream(dir / "plain-file") << "x";
  TForm15 form;
  SavePictureDialog dialog;
  ScriptedDialog runner;
  PlainCapture capture;
  runner.answers.push_back(SaveChoice{base::pathToUtf8(dir / "plain-file" / "Screen"), 4});
  EXPECT_THROW(SpeedButton3Click(form, dialog, runner, capture), std::runtime_error);
  EXPECT_EQ(dialog.filterIndex, 2);
  EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace wexmora
