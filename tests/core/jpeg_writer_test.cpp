#include "ui/jpeg_writer.h"

#include "support/jpeg_header.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "ui/screenshot.h"

namespace wexmora {
namespace {

namespace fs = std::filesystem;

RgbImage gradient(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                               static_cast<std::uint8_t>((x * y) & 0xff)});
  return image;
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using DecodedHeader = wexmora::testing::JpegHeader;
DecodedHeader decode(const std::vector<std::uint8_t>& data) { return wexmora::testing::readJpegHeader(data); }

// The tables libjpeg itself makes for quality 90.
std::vector<std::vector<unsigned>> referenceTables() {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  info.in_color_space = JCS_RGB;
  info.input_components = 3;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  std::vector<std::vector<unsigned>> tables;
  for (int t = 0; t < 2; ++t) {
    tables.emplace_back();
    for (int i = 0; i < DCTSIZE2; ++i) tables.back().push_back(info.quant_tbl_ptrs[t]->quantval[i]);
  }
  jpeg_destroy_compress(&info);
  return tables;
}

bool hasMarker(const std::vector<std::uint8_t>& data, std::uint8_t marker) {
  for (std::size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == 0xFF && data[i + 1] == marker) return true;
  return false;
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("wexmora-jpeg-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::size_t entries() const { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); }
  fs::path dir;
};

TEST(JpegEncoding, BaselineJfifRgbAtQuality90) {
  ASSERT_EQ(kJpegQuality, 90);
  const std::vector<std::uint8_t> data = encodeJpeg(gradient(474, 389));
  ASSERT_GT(data.size(), 4u);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xD8);
  EXPECT_TRUE(hasMarker(data, 0xC0)) << "baseline frame SOF0";
  EXPECT_FALSE(hasMarker(data, 0xC2)) << "no progressive frame";
  const DecodedHeader header = decode(data);
  EXPECT_EQ(header.width, 474);
  EXPECT_EQ(header.height, 389);
  EXPECT_EQ(header.components, 3);
  EXPECT_FALSE(header.progressive);
  EXPECT_TRUE(header.jfif);
  EXPECT_EQ(header.quantTables, referenceTables());
}

TEST(JpegEncoding, RejectsImagesWithoutPixels) {
  const RgbImage bad[] = {{0, 10, {}}, {10, 0, {}}, {2, 2, std::vector<std::uint8_t>(11)}};
  for (const RgbImage& image : bad) EXPECT_THROW(encodeJpeg(image), std::runtime_error);
}

TEST_F(TempDir, ReplacesAnExistingFileAndLeavesNoTemporary) {
  const fs::path target = dir / "Screen.jpg";
  std::ofstream(target) << "old";
  writeJpegFile(gradient(20, 10), pathToUtf8(target));
  const auto data = readFile(target);
  EXPECT_EQ(decode(data).width, 20);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TempDir, UncreatablePathReportsAndLeavesNothing) {
  std::ofstream(dir / "plain-file") << "x";
  const fs::path target = dir / "plain-file" / "Screen.jpg";
  EXPECT_THROW(writeJpegFile(gradient(8, 8), pathToUtf8(target)), std::runtime_error);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TempDir, RemovedFolderReportsTheError) {
  const fs::path folder = dir / "gone";
  fs::create_directories(folder);
  fs::remove(folder);
  EXPECT_THROW(writeJpegFile(gradient(8, 8), pathToUtf8(folder / "Screen.jpg")), std::runtime_error);
  EXPECT_FALSE(fs::exists(folder));
}

// A write that fails half-way (here: the file size limit, as a full disk
// would) keeps the previous file and removes the partial one.
TEST_F(TempDir, PreviousFileSurvivesAFailedOverwrite) {
  const fs::path target = dir / "Screen.jpg";
  std::ofstream(target) << "previous picture";
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool threw = false;
  try {
    writeJpegFile(gradient(474, 389), pathToUtf8(target));
  } catch (const std::runtime_error&) {
    threw = true;
  }
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_TRUE(threw);
  const auto data = readFile(target);
  EXPECT_EQ(std::string(data.begin(), data.end()), "previous picture");
  EXPECT_EQ(entries(), 1u);
}

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
  for (const Case& c : cases) runner.answers.push_back(SaveChoice{pathToUtf8(dir / c.typed), c.filter});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const auto written = SpeedButton3Click(form, dialog, runner, capture);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, pathToUtf8(dir / c.written));
    const DecodedHeader header = decode(readFile(dir / c.written));
    EXPECT_EQ(header.width, form.width);
    EXPECT_EQ(header.height, form.height + 2);
    EXPECT_EQ(dialog.filterIndex, 2) << "JPEG type preselected again";
  }
  EXPECT_EQ(entries(), 2u);
  ASSERT_EQ(runner.shown.size(), 3u);
  // The dialog offered what was chosen last, and JPEG after the bitmap type.
  EXPECT_EQ(runner.shown[0].fileName, "Screen");
  EXPECT_EQ(runner.shown[1].fileName, "Screen.jpg");
  EXPECT_EQ(runner.shown[1].folder, pathToUtf8(dir));
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
  runner.answers.push_back(SaveChoice{pathToUtf8(dir / "plain-file" / "Screen"), 4});
  EXPECT_THROW(SpeedButton3Click(form, dialog, runner, capture), std::runtime_error);
  EXPECT_EQ(dialog.filterIndex, 2);
  EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace wexmora
