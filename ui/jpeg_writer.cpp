#include "ui/jpeg_writer.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
// clang-format on

#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace wexmora {
namespace {

namespace fs = std::filesystem;

// libjpeg reports errors through a callback that must not return; it jumps
// back into encodeJpeg, which frees the encoder and throws.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// A name beside the target that no other file uses.
fs::path temporaryBeside(const fs::path& target) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path candidate = target;
    candidate += ".part" + std::to_string(random() % 1000000);
    std::error_code ignored;
    if (!fs::exists(candidate, ignored)) return candidate;
  }
  throw std::runtime_error("Cannot find a free temporary name for " + pathToUtf8(target));
}

}  // namespace

fs::path pathFromUtf8(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

std::string pathToUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::vector<std::uint8_t> encodeJpeg(const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
    throw std::runtime_error("The picture to save is empty.");

  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  // Nothing with a destructor lives between setjmp and the jumps back here.
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error(std::string("JPEG encoding failed: ") + errors.message);
  }
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
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> data(buffer, buffer + size);
  std::free(buffer);
  return data;
}

void writeJpegFile(const RgbImage& image, const std::string& path) {
  const std::vector<std::uint8_t> data = encodeJpeg(image);
  const fs::path target = pathFromUtf8(path);
  const fs::path temporary = temporaryBeside(target);
  const auto fail = [&](const std::string& what) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw std::runtime_error("Cannot save the picture as " + path + ": " + what);
  };
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) fail(std::generic_category().message(errno));
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) fail(std::generic_category().message(errno) + " (the file could not be written completely)");
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) fail(error.message());
}

}  // namespace wexmora
