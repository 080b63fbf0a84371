#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace assets {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return:
// jump back to the caller, which cleans up.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1);
}

// The encoder itself, with only plain locals between setjmp and longjmp.
// Returns the malloc'd buffer (or null) and its size.
unsigned char* compress(const std::uint8_t* rgb, int width, int height, int quality,
                        unsigned long* size) {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    if (setjmp(errors.back)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return nullptr;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution chroma: the pictures have thin coloured outlines.
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const auto stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(rgb + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return buffer;
}

}  // namespace

std::vector<std::uint8_t> encode_jpeg(const std::uint8_t* rgb, int width, int height, int quality) {
    if (!rgb || width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION ||
        height > JPEG_MAX_DIMENSION) {
        return {};
    }
    unsigned long size = 0;
    unsigned char* buffer = compress(rgb, width, height, quality, &size);
    if (!buffer) return {};
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

}  // namespace assets
