// The libjpeg error trap: fatal errors come back as false with libjpeg's
// message, warnings are counted, and what the caller made before the jump
// keeps its value.
#include "base/jpeg_error_trap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace wexmora::base {
namespace {

constexpr int kSide = 64;

// A valid 64 x 64 JPEG with some detail, made with the trap itself.
std::vector<unsigned char> smallJpeg() {
  JpegErrorTrap trap;
  jpeg_compress_struct info{};
  info.err = trap.manager();
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = trap.run([&] {
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kSide;
    info.image_height = kSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(kSide * 3);
    JSAMPROW rows[] = {row.data()};
    while (info.next_scanline < info.image_height) {
      for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = static_cast<JSAMPLE>((i * 37 + info.next_scanline * 11) % 256);
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
  });
  jpeg_destroy_compress(&info);
  EXPECT_TRUE(ok) << trap.message();
  std::vector<unsigned char> data(buffer, buffer + size);
  std::free(buffer);
  return data;
}

struct Decoded {
  bool ran;
  long warnings;
  std::string message;
  int linesRead;  // counted by the caller inside the trapped calls
};

Decoded decode(const std::vector<unsigned char>& data) {
  JpegErrorTrap trap;
  jpeg_decompress_struct info{};
  info.err = trap.manager();
  int linesRead = 0;
  std::vector<JSAMPLE> row(kSide * 3);
  const bool ran = trap.run([&] {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    JSAMPROW rows[] = {row.data()};
    while (info.output_scanline < info.output_height)
      linesRead += static_cast<int>(jpeg_read_scanlines(&info, rows, 1));
    jpeg_finish_decompress(&info);
  });
  jpeg_destroy_decompress(&info);
  return {ran, trap.warnings(), trap.message(), linesRead};
}

TEST(JpegErrorTrap, FatalErrorsReturnFalseWarningsAreCounted) {
  const std::vector<unsigned char> valid = smallJpeg();
  ASSERT_GT(valid.size(), 1000u);
  const std::vector<unsigned char> truncated(valid.begin(), valid.begin() + static_cast<long>(valid.size()) - 40);
  std::vector<unsigned char> garbage = {0xFF, 0xD8, 0xFF, 0x00, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  const struct {
    const char* name;
    std::vector<unsigned char> data;
    bool ran;
    std::optional<bool> warned;  // nothing: whatever libjpeg said before it gave up
    int linesRead;
  } cases[] = {
      {"valid", valid, true, false, kSide},
      {"truncated: decoded, padded and warned about", truncated, true, true, kSide},
      {"garbage after the start marker", garbage, false, std::nullopt, 0},
      {"not a JPEG at all", {'P', 'N', 'G'}, false, std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded result = decode(c.data);
    EXPECT_EQ(result.ran, c.ran);
    if (c.warned) {
      EXPECT_EQ(result.warnings > 0, *c.warned);
    }
    EXPECT_EQ(result.message.empty(), c.ran) << result.message;
    EXPECT_EQ(result.linesRead, c.linesRead);
  }
}

TEST(JpegErrorTrap, ARunAfterAnErrorStartsAfresh) {
  JpegErrorTrap trap;
  jpeg_decompress_struct info{};
  info.err = trap.manager();
  const unsigned char bad[] = {'x', 'y'};
  EXPECT_FALSE(trap.run([&] {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bad, sizeof bad);
    jpeg_read_header(&info, TRUE);
  }));
  EXPECT_NE(trap.message(), "");
  int reached = 0;
  EXPECT_TRUE(trap.run([&] { reached = 1; }));
  EXPECT_EQ(reached, 1);
  jpeg_destroy_decompress(&info);
}

}  // namespace
}  // namespace wexmora::base
