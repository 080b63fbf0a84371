// Just enough of a baseline JPEG decoder to check what our encoder writes: sequential Huffman
// coding, 8-bit samples, one to three components sampled 1x1, no restart markers.
#pragma once

#include <cstdint>
#include <vector>

namespace assets::testing {

struct JpegImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes per pixel
};

// Throws std::runtime_error on anything it does not understand.
JpegImage decode_jpeg(const std::vector<std::uint8_t>& bytes);

}  // namespace assets::testing
