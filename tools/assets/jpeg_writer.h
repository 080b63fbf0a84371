// JPEG files for the game's opaque pictures, written with libjpeg(-turbo).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// Encodes 8-bit RGB pixels (3 bytes per pixel, row-major, no padding) as a baseline JFIF file,
// YCbCr without chroma subsampling. `quality` follows the usual 1..100 scale. The same input
// always gives the same bytes. Empty on failure (bad size, encoder error).
std::vector<std::uint8_t> encode_jpeg(const std::uint8_t* rgb, int width, int height, int quality);

}  // namespace assets
