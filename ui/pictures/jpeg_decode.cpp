#include "ui/pictures/jpeg_decode.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace wexmora::pictures {
namespace {

constexpr JDIMENSION kMaxSide = 4096;

// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back into decodeJpeg. Nothing with a destructor lives in between.
struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf target;
};

[[noreturn]] void jumpOut(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->target, 1); }
// Counts warnings (level -1) as libjpeg's own handler does, without printing.
void countWarning(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
  if (data.isEmpty()) return {};
  jpeg_decompress_struct info;
  ErrorJump error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jumpOut;
  error.manager.emit_message = countWarning;  // damaged data warns; checked at the end
  // Pixels go into a plain buffer that survives a jump; the QImage is made
  // only once decoding has finished.
  unsigned char* volatile pixels = nullptr;
  if (setjmp(error.target)) {
    jpeg_destroy_decompress(&info);
    std::free(pixels);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;  // greyscale and YCbCr both come out as RGB
  jpeg_start_decompress(&info);
  const JDIMENSION width = info.output_width, height = info.output_height;
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  pixels = static_cast<unsigned char*>(std::malloc(stride * height));
  if (!pixels) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  while (info.output_scanline < height) {
    JSAMPROW row = pixels + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  const bool damaged = error.manager.num_warnings > 0;  // e.g. data ended early and was padded
  jpeg_destroy_decompress(&info);
  if (damaged) {
    std::free(pixels);
    return {};
  }

  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
  if (!image.isNull()) {
    for (JDIMENSION y = 0; y < height; ++y)
      std::memcpy(image.scanLine(static_cast<int>(y)), pixels + stride * y, stride);
  }
  std::free(pixels);
  return image;
}

}  // namespace wexmora::pictures
