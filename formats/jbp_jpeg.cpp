// The JPEG stage of the JbpStream encoder: a baseline JPEG made in memory
// by libjpeg, read back as quantized coefficients with its coefficient
// reader, so that the blocks are exactly those of a JPEG encoding.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "formats/jbp_stream.h"

namespace marlit {
namespace {

struct ErrorManager {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void onError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
void onMessage(j_common_ptr, int) {}

jpeg_error_mgr* errorsByJump(ErrorManager& err) {
    jpeg_std_error(&err.mgr);
    err.mgr.error_exit = onError;
    err.mgr.emit_message = onMessage;
    return &err.mgr;
}

// libjpeg reports errors by a long jump, so these functions keep no object
// with a destructor alive across it: results go into the caller's objects.
bool compress(const PictureView& p, int quality, unsigned char** jpeg, unsigned long* size) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = errorsByJump(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, jpeg, size);
    cinfo.image_width = static_cast<JDIMENSION>(p.width);
    cinfo.image_height = static_cast<JDIMENSION>(p.height);
    cinfo.input_components = p.bytesPerPixel;
    cinfo.in_color_space = p.bytesPerPixel == 3 ? JCS_EXT_BGR : JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, JCS_YCbCr);
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = static_cast<size_t>(p.width) * p.bytesPerPixel;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(p.pixels.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

bool readCoefficients(const unsigned char* jpeg, unsigned long size, JbpCoefficients* out) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = errorsByJump(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg, size);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > 0xFFFF || cinfo.image_height > 0xFFFF) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    out->width = static_cast<int>(cinfo.image_width);
    out->height = static_cast<int>(cinfo.image_height);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&cinfo);
    const int mbWide = (out->width + 15) / 16;
    const int mbHigh = (out->height + 15) / 16;
    bool shaped = cinfo.num_components == 3;
    for (int c = 0; c < 3 && shaped; ++c) {
        int factor = c == 0 ? 2 : 1;
        shaped = cinfo.comp_info[c].h_samp_factor == factor &&
                 cinfo.comp_info[c].v_samp_factor == factor;
    }
    for (int c = 0; c < 3 && shaped; ++c) {
        const JQUANT_TBL* table = cinfo.comp_info[c].quant_table;
        if (table == nullptr) {
            shaped = false;
            break;
        }
        if (c < 2) {
            for (int i = 0; i < 64; ++i) {
                out->quant[c][i] = static_cast<uint8_t>(table->quantval[i] & 0xFF);
            }
        }
    }
    if (!shaped) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    out->blocks.resize(static_cast<size_t>(mbWide) * mbHigh * 6);
    size_t block = 0;
    for (int my = 0; my < mbHigh; ++my) {
        JBLOCKARRAY y = (*cinfo.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                         arrays[0], my * 2, 2, FALSE);
        JBLOCKARRAY cb = (*cinfo.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                          arrays[1], my, 1, FALSE);
        JBLOCKARRAY cr = (*cinfo.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                          arrays[2], my, 1, FALSE);
        for (int mx = 0; mx < mbWide; ++mx) {
            const JCOEF* sources[6] = {y[0][2 * mx],     y[0][2 * mx + 1], y[1][2 * mx],
                                       y[1][2 * mx + 1], cb[0][mx],        cr[0][mx]};
            for (const JCOEF* s : sources) {
                for (int i = 0; i < 64; ++i)
                    out->blocks[block][i] = s[i];
                ++block;
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> baselineJpeg(const PictureView& picture, int quality) {
    if (!picture.valid() || quality < 1 || quality > 100)
        return std::nullopt;
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> out;
    bool ok = compress(picture, quality, &jpeg, &size);
    if (ok)
        out.assign(jpeg, jpeg + size);
    std::free(jpeg);
    if (!ok)
        return std::nullopt;
    return out;
}

std::optional<JbpCoefficients> jpegCoefficients(std::span<const uint8_t> jpeg) {
    JbpCoefficients c;
    if (!readCoefficients(jpeg.data(), jpeg.size(), &c))
        return std::nullopt;
    return c;
}

}  // namespace marlit
