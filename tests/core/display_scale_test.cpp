#include "core/window/display_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace wexmora {
namespace {

TEST(DisplayScale, LengthsRoundToTheNearestPixel) {
  const struct {
    int dpi, design, scaled;
  } cases[] = {
      {96, 474, 474}, {96, 11, 11},    {120, 11, 14}, {120, 468, 585}, {144, 11, 17},
      {144, 1, 2},    {144, 357, 536}, {192, 11, 22}, {192, 468, 936}, {120, 2, 3},
      {120, -2, -3},  {144, -3, -5},   {72, 11, 8},   {168, 0, 0},     {240, 13, 33},
  };
  for (const auto& c : cases) EXPECT_EQ(DisplayScale{c.dpi}.px(c.design), c.scaled) << c.dpi << " " << c.design;
}

TEST(DisplayScale, RectanglesScaleTheirEdgesSoNeighboursStillTouch) {
  const struct {
    int dpi;
    ControlRect design, scaled;
  } cases[] = {
      {96, {8, 120, 361, 69}, {8, 120, 361, 69}},
      {120, {1, 1, 1, 1}, {1, 1, 2, 2}},  // 1.25 -> 1, 2.5 -> 3
      {144, {1, 3, 1, 3}, {2, 5, 1, 4}},  // 1.5 -> 2, 3 -> 3; 4.5 -> 5, 9 -> 9
      {192, {8, 120, 361, 69}, {16, 240, 722, 138}},
  };
  for (const auto& c : cases) EXPECT_EQ(DisplayScale{c.dpi}.rect(c.design), c.scaled) << c.dpi;
  // Three cells side by side at 150 %: each begins where the last ends.
  const DisplayScale scale{144};
  const ControlRect a = scale.rect({0, 0, 3, 1}), b = scale.rect({3, 0, 3, 1}), c = scale.rect({6, 0, 3, 1});
  EXPECT_EQ(a.left + a.width, b.left);
  EXPECT_EQ(b.left + b.width, c.left);
  EXPECT_EQ(c.left + c.width, scale.px(9));
}

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kClear = 0x00000000, kWhite = 0xFFFFFFFF,
                        kBlack = 0xFF000000;

TEST(Resample, SizesAndDegenerateInputs) {
  const struct {
    int width, height, newWidth, newHeight;
    std::size_t expected;
  } cases[] = {
      {4, 3, 8, 6, 48}, {4, 3, 5, 4, 20}, {4, 3, 2, 1, 2},  {4, 3, 4, 3, 12},
      {0, 3, 8, 6, 0},  {4, 3, 0, 6, 0},  {4, 3, 8, -1, 0},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(0, c.width * c.height)), kRed);
    for (Resampling mode : {Resampling::Smooth, Resampling::Nearest})
      EXPECT_EQ(resamplePixels(pixels, c.width, c.height, c.newWidth, c.newHeight, mode).size(), c.expected);
  }
  // Fewer pixels than the size says: nothing, rather than a read past the end.
  EXPECT_TRUE(resamplePixels({kRed, kRed}, 2, 2, 4, 4, Resampling::Smooth).empty());
}

TEST(Resample, AUniformPictureStaysUniformAtEveryScale) {
  for (const std::uint32_t colour : {kRed, kBlue, 0xFF7F3F1Fu, kClear})
    for (const int size : {3, 5, 7, 10, 14})
      for (Resampling mode : {Resampling::Smooth, Resampling::Nearest})
        for (const std::uint32_t pixel : resamplePixels(std::vector<std::uint32_t>(25, colour), 5, 5, size, size, mode))
          ASSERT_EQ(pixel, colour) << size;
}

TEST(Resample, EnlargingBlendsNeighboursAndKeepsTheCorners) {
  // Black | white, doubled: the outer columns keep their colour, the inner
  // ones lie between, a quarter and three quarters of the way.
  const auto row = resamplePixels({kBlack, kWhite}, 2, 1, 4, 1, Resampling::Smooth);
  ASSERT_EQ(row.size(), 4u);
  const struct {
    std::size_t at;
    std::uint32_t grey;
  } cases[] = {{0, 0x00}, {1, 0x40}, {2, 0xBF}, {3, 0xFF}};
  for (const auto& c : cases) {
    EXPECT_EQ(row[c.at] >> 24, 0xFFu) << c.at;
    EXPECT_EQ(row[c.at] & 0xFF, c.grey) << c.at;
  }
}

TEST(Resample, ShrinkingAveragesWhatEachPixelCovers) {
  const auto half = resamplePixels({kBlack, kWhite, kBlack, kWhite}, 4, 1, 2, 1, Resampling::Smooth);
  ASSERT_EQ(half.size(), 2u);
  for (const std::uint32_t pixel : half) EXPECT_EQ(pixel, 0xFF808080u);
}

TEST(Resample, TransparentNeighboursDoNotDarkenAnEdge) {
  // Red beside fully transparent black: every pixel with any opacity is pure
  // red, only its alpha falls off.
  for (const int size : {3, 4, 5})
    for (const std::uint32_t pixel : resamplePixels({kRed, kClear}, 2, 1, size, 1, Resampling::Smooth))
      if (pixel >> 24) {
        EXPECT_EQ(pixel & 0x00FFFFFF, 0x00FF0000u) << size;
      }
}

TEST(Resample, NearestKeepsQrModulesSharp) {
  // A 2 x 2 checkerboard at 150 % and 200 %: only black and white, and at
  // 200 % every module a 2 x 2 square.
  const std::vector<std::uint32_t> board{kBlack, kWhite, kWhite, kBlack};
  for (const int size : {3, 4})
    for (const std::uint32_t pixel : resamplePixels(board, 2, 2, size, size, Resampling::Nearest))
      EXPECT_TRUE(pixel == kBlack || pixel == kWhite) << std::hex << pixel;
  const auto doubled = resamplePixels(board, 2, 2, 4, 4, Resampling::Nearest);
  const std::vector<std::uint32_t> expected{kBlack, kBlack, kWhite, kWhite, kBlack, kBlack, kWhite, kWhite,
                                            kWhite, kWhite, kBlack, kBlack, kWhite, kWhite, kBlack, kBlack};
  EXPECT_EQ(doubled, expected);
}

}  // namespace
}  // namespace wexmora
