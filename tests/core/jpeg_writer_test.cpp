#include "core/window/jpeg_writer.h"

#include "base/utf8_path.h"
#include "support/jpeg_header.h"
#include "support/temp_dir.h"

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
#include <stdexcept>

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

using TempDir = testing::TempDir;
using testing::readFile;

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
  writeJpegFile(gradient(20, 10), base::pathToUtf8(target));
  const auto data = readFile(target);
  EXPECT_EQ(decode(data).width, 20);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TempDir, UncreatablePathReportsAndLeavesNothing) {
  std::ofstream(dir / "plain-file") << "x";
  const fs::path target = dir / "plain-file" / "Screen.jpg";
  EXPECT_THROW(writeJpegFile(gradient(8, 8), base::pathToUtf8(target)), std::runtime_error);
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TempDir, RemovedFolderReportsTheError) {
  const fs::path folder = dir / "gone";
  fs::create_directories(folder);
  fs::remove(folder);
  EXPECT_THROW(writeJpegFile(gradient(8, 8), base::pathToUtf8(folder / "Screen.jpg")), std::runtime_error);
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
    writeJpegFile(gradient(474, 389), base::pathToUtf8(target));
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

}  // namespace
}  // namespace wexmora
