#pragma once
// The one JPEG writer of the program: screenshots are baseline JFIF files of
// fixed quality, 24-bit RGB, coded by libjpeg. A file is written beside its
// target under a temporary name and renamed over it only once complete, so a
// failed save never leaves a damaged or half-written file.
#include <cstdint>
#include <string>
#include <vector>

namespace wexmora {

inline constexpr int kJpegQuality = 90;

// A picture as rows of red, green, blue bytes, top row first.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes
};

// The JPEG data of the image; throws std::runtime_error for an empty image or
// an encoder error.
std::vector<std::uint8_t> encodeJpeg(const RgbImage& image);

// Encodes the image and puts it at `path` (UTF-8), replacing a file of that
// name. Throws std::runtime_error with a message for the user when the file
// cannot be written; the previous file, if any, is then left untouched.
void writeJpegFile(const RgbImage& image, const std::string& path);

}  // namespace wexmora
