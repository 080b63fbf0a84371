// Reads back the JPEG files the asset tool writes, with libjpeg(-turbo), so that
// the tests can compare their pixels with what was painted.
#pragma once

#include <cstdint>
#include <vector>

namespace assets::testing {

struct JpegImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes per pixel
};

// Throws std::runtime_error, with libjpeg's reason, when the bytes do not decode.
JpegImage decode_jpeg(const std::vector<std::uint8_t>& bytes);

}  // namespace assets::testing
