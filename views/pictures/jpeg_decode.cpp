#include "views/pictures/jpeg_decode.h"

#include <cstdlib>
#include <cstring>

#include "base/jpeg_error_trap.h"

namespace wexmora::pictures {
namespace {

constexpr JDIMENSION kMaxSide = 4096;

}  // namespace

QImage decodeJpeg(const QByteArray& data) {
  if (data.isEmpty()) return {};
  base::JpegErrorTrap trap;  // damaged data warns; the warnings are checked at the end
  jpeg_decompress_struct info{};
  info.err = trap.manager();
  const bool started = trap.run([&] {
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;  // greyscale and YCbCr both come out as RGB
    jpeg_start_decompress(&info);
  });
  const JDIMENSION width = info.output_width, height = info.output_height;
  if (!started || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  // Pixels go into a plain buffer first; the QImage is made only once
  // decoding has finished without a complaint.
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  auto* pixels = static_cast<unsigned char*>(std::malloc(stride * height));
  const bool decoded = pixels && trap.run([&] {
    while (info.output_scanline < height) {
      JSAMPROW row = pixels + stride * info.output_scanline;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  });
  jpeg_destroy_decompress(&info);
  if (!decoded || trap.warnings() > 0) {  // a warning: e.g. data ended early and was padded
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
