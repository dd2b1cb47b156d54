#pragma once
// The windows are designed in pixels at 96 dots per inch. On a denser
// display a view multiplies every position, size and font height by
// dpi / 96 and resamples the pictures to the scaled size, so the window
// keeps its proportions and its text stays sharp.
#include <cstdint>
#include <vector>

#include "core/window/control_text.h"

namespace wexmora {

inline constexpr int kDesignDpi = 96;

struct DisplayScale {
  int dpi = kDesignDpi;

  // A design length at this scale, rounded to the nearest pixel (halves away
  // from zero).
  int px(int design) const;
  // A rectangle at this scale. Its edges are scaled, not its size, so that
  // controls that touch in the design still touch.
  ControlRect rect(const ControlRect& design) const;
  bool isDesign() const { return dpi == kDesignDpi; }
};

enum class Resampling {
  Smooth,   // photos, glyphs, badges: bilinear up, area average down
  Nearest,  // QR codes: every module stays a sharp square
};

// `pixels` (0xAARRGGBB, not premultiplied, top row first) of a width x
// height picture, resampled to newWidth x newHeight. Colours are weighted by
// their alpha, so a transparent neighbour does not darken an edge.
std::vector<std::uint32_t> resamplePixels(const std::vector<std::uint32_t>& pixels, int width, int height, int newWidth,
                                          int newHeight, Resampling resampling);

}  // namespace wexmora
