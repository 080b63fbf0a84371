#pragma once
// Decoding sounds in WebAssembly, synchronously, into the mixer's format:
// interleaved float stereo at the rate asked for. WAV is read as the desktop
// reads it (integer PCM of 8, 16, 24 or 32 bits, 32-bit float, A-law and
// mu-law; each sample converted to float the same way, so a file at the
// mixer's rate gives the desktop's very samples); Ogg Vorbis with stb_vorbis
// (Debian: libstb-dev). One channel is played on both sides. Files at another
// rate are resampled by linear interpolation, which the desktop does with a
// finer filter: those samples are close to the desktop's, not equal.
//
// Refused, with the reason: ADPCM WAV, more than two channels, damaged data,
// and sounds that decode to more than `maxSeconds`.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace limn::web {

class SoundDecode {
public:
    // The samples (empty with `reason` set when refused).
    [[nodiscard]] static std::vector<float> decode(std::span<const std::uint8_t> bytes, int rate,
                                                   double maxSeconds, std::string& reason);
};

}  // namespace limn::web
