#include "core/window/display_scale.h"

#include <algorithm>
#include <cmath>

namespace wexmora {
namespace {

// The source pixels that one target pixel along an axis is made of.
struct Tap {
  int source;
  double weight;
};

std::vector<std::vector<Tap>> tapsOf(int from, int to, Resampling resampling) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
  const double ratio = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    auto& row = taps[static_cast<std::size_t>(i)];
    if (resampling == Resampling::Nearest) {
      row.push_back({std::min(from - 1, static_cast<int>((i + 0.5) * ratio)), 1.0});
    } else if (ratio <= 1.0) {
      // Enlarging: the two nearest source pixel centres, linearly.
      const double centre = std::clamp((i + 0.5) * ratio - 0.5, 0.0, static_cast<double>(from - 1));
      const int left = static_cast<int>(centre);
      const double right = centre - left;
      row.push_back({left, 1.0 - right});
      if (right > 0) row.push_back({std::min(left + 1, from - 1), right});
    } else {
      // Shrinking: every source pixel the target covers, by the part covered.
      const double begin = i * ratio, end = (i + 1) * ratio;
      for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
        const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
        if (covered > 0) row.push_back({s, covered / ratio});
      }
    }
  }
  return taps;
}

struct Premultiplied {
  double a = 0, r = 0, g = 0, b = 0;
};

Premultiplied premultiply(std::uint32_t pixel) {
  const double a = (pixel >> 24) / 255.0;
  return {a, ((pixel >> 16) & 0xFF) * a, ((pixel >> 8) & 0xFF) * a, (pixel & 0xFF) * a};
}

std::uint32_t straighten(const Premultiplied& p) {
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
  if (p.a <= 0) return 0;
  return byte(p.a * 255) << 24 | byte(p.r / p.a) << 16 | byte(p.g / p.a) << 8 | byte(p.b / p.a);
}

}  // namespace

int DisplayScale::px(int design) const {
  const long long scaled = static_cast<long long>(design) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

ControlRect DisplayScale::rect(const ControlRect& design) const {
  const int left = px(design.left), top = px(design.top);
  return {left, top, px(design.left + design.width) - left, px(design.top + design.height) - top};
}

std::vector<std::uint32_t> resamplePixels(const std::vector<std::uint32_t>& pixels, int width, int height, int newWidth,
                                          int newHeight, Resampling resampling) {
  if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * height)
    return {};
  if (width == newWidth && height == newHeight)
    return {pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(width) * height};
  const auto across = tapsOf(width, newWidth, resampling);
  const auto down = tapsOf(height, newHeight, resampling);
  // Rows first, into premultiplied values, then columns.
  std::vector<Premultiplied> wide(static_cast<std::size_t>(newWidth) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < newWidth; ++x) {
      Premultiplied sum;
      for (const Tap& tap : across[static_cast<std::size_t>(x)]) {
        const Premultiplied p = premultiply(pixels[static_cast<std::size_t>(y) * width + tap.source]);
        sum.a += p.a * tap.weight;
        sum.r += p.r * tap.weight;
        sum.g += p.g * tap.weight;
        sum.b += p.b * tap.weight;
      }
      wide[static_cast<std::size_t>(y) * newWidth + x] = sum;
    }
  std::vector<std::uint32_t> result(static_cast<std::size_t>(newWidth) * newHeight);
  for (int y = 0; y < newHeight; ++y)
    for (int x = 0; x < newWidth; ++x) {
      Premultiplied sum;
      for (const Tap& tap : down[static_cast<std::size_t>(y)]) {
        const Premultiplied& p = wide[static_cast<std::size_t>(tap.source) * newWidth + x];
        sum.a += p.a * tap.weight;
        sum.r += p.r * tap.weight;
        sum.g += p.g * tap.weight;
        sum.b += p.b * tap.weight;
      }
      result[static_cast<std::size_t>(y) * newWidth + x] = straighten(sum);
    }
  return result;
}

}  // namespace wexmora
