// libjpeg-turbo's own decoding of a baseline JPEG to 8-bit RGB, the
// reference that the JbpStream decoder is held against.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace marlit::test {

// Integer transform; `merged` turns chrominance smoothing off (as the
// JbpStream decoder has none), otherwise libjpeg's default smoothing.
inline std::vector<uint8_t> libjpegRgb(const std::vector<uint8_t>& jpeg, bool merged = true) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = merged ? FALSE : TRUE;
    jpeg_start_decompress(&cinfo);
    const size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
    std::vector<uint8_t> rgb(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[4];
        for (size_t i = 0; i < 4; ++i) {
            size_t y = std::min<size_t>(cinfo.output_scanline + i, cinfo.output_height - 1);
            rows[i] = rgb.data() + stride * y;
        }
        jpeg_read_scanlines(&cinfo, rows, 4);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return rgb;
}

}  // namespace marlit::test
