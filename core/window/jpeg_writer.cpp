#include "core/window/jpeg_writer.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "base/jpeg_error_trap.h"
#include "base/replace_file.h"
#include "base/utf8_path.h"

namespace wexmora {
namespace {

// What the user is told when the file cannot be put in place.
std::string whatFailed(const base::ReplaceFileError& failure) {
  const std::string reason = failure.error().message();
  if (failure.step() == base::ReplaceFileError::Step::Write)
    return reason + " (the file could not be written completely)";
  return reason;
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
    throw std::runtime_error("The picture to save is empty.");

  base::JpegErrorTrap trap;
  jpeg_compress_struct info{};
  info.err = trap.manager();
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool encoded = trap.run([&] {
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);  // baseline, JFIF marker, YCbCr
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    while (info.next_scanline < info.image_height) {
      JSAMPROW row = const_cast<JSAMPLE*>(image.pixels.data() + info.next_scanline * stride);
      jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
  });
  jpeg_destroy_compress(&info);
  if (!encoded) {
    std::free(buffer);
    throw std::runtime_error("JPEG encoding failed: " + trap.message());
  }
  std::vector<std::uint8_t> data(buffer, buffer + size);
  std::free(buffer);
  return data;
}

void writeJpegFile(const RgbImage& image, const std::string& path) {
  const std::vector<std::uint8_t> data = encodeJpeg(image);
  try {
    base::replaceFile(base::pathFromUtf8(path),
                      std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                      base::FileAccess::Everyone);
  } catch (const base::ReplaceFileError& failure) {
    throw std::runtime_error("Cannot save the picture as " + path + ": " + whatFailed(failure));
  }
}

}  // namespace wexmora
