#pragma once
// Decoded sound in the mixer's format: interleaved float stereo at the mixer's
// rate. `data` keeps whatever holds the samples alive (the desktop decoder's
// buffer, or a vector); channels playing the sound share it.

#include <cstdint>
#include <memory>

namespace limn::sdl {

struct SoundSamples {
    std::shared_ptr<const float> data;
    std::int64_t frames = 0;

    [[nodiscard]] explicit operator bool() const { return data != nullptr; }
};

}  // namespace limn::sdl
