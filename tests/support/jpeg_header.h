#pragma once
// Reads back the header of a JPEG file that the program wrote, with libjpeg.
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace wexmora::testing {

struct JpegHeader {
  int width = 0, height = 0, components = 0;
  bool progressive = true, jfif = false;
  std::vector<std::vector<unsigned>> quantTables;  // tables 0 and 1
};

inline JpegHeader readJpegHeader(const std::vector<std::uint8_t>& data) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), data.size());
  jpeg_read_header(&info, TRUE);
  JpegHeader header{
      static_cast<int>(info.image_width),       static_cast<int>(info.image_height),     info.num_components,
      static_cast<bool>(info.progressive_mode), static_cast<bool>(info.saw_JFIF_marker), {}};
  for (int t = 0; t < 2; ++t) {
    header.quantTables.emplace_back();
    if (info.quant_tbl_ptrs[t])
      for (int i = 0; i < DCTSIZE2; ++i) header.quantTables.back().push_back(info.quant_tbl_ptrs[t]->quantval[i]);
  }
  jpeg_destroy_decompress(&info);
  return header;
}

}  // namespace wexmora::testing
