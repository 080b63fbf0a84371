// 16-bit PCM mono WAV output.
#pragma once

#include <cstdint>
#include <vector>

namespace assets {

// Converts float samples in [-1, 1] to a complete WAV file image (values outside are clamped).
std::vector<std::uint8_t> encode_wav(const std::vector<float>& samples, int sample_rate);

}  // namespace assets
