// Minimal baseline JPEG encoder (YCbCr 4:4:4, standard Huffman tables).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// Encodes 8-bit RGB pixels (3 bytes per pixel, row-major, no padding) as a baseline JFIF file.
// `quality` follows the usual 1..100 scale.
std::vector<std::uint8_t> encode_jpeg(const std::uint8_t* rgb, int width, int height, int quality);

}  // namespace assets
