#include "jpeg_reader.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace assets::testing {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    char reason[JMSG_LENGTH_MAX];
};

void jumpBack(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->reason);
    std::longjmp(errors->back, 1);
}

// Decodes into `image`, whose storage is sized before any row is read; false
// with `errors.reason` set on failure. Only plain locals live across setjmp.
bool decompress(const std::vector<std::uint8_t>& bytes, JpegImage& image, ErrorManager& errors) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    const auto stride = static_cast<std::size_t>(image.width) * 3;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.rgb.data() + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

JpegImage decode_jpeg(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) throw std::runtime_error("empty JPEG");
    JpegImage image;
    ErrorManager errors{};
    if (!decompress(bytes, image, errors)) throw std::runtime_error(errors.reason);
    return image;
}

}  // namespace assets::testing
