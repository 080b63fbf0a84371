// Sample synthesis for the game's sound effects.
#pragma once

#include <vector>

namespace assets {

inline constexpr int kSampleRate = 22050;

// One rubbery squeak: the pitch jumps up from `start_hz` to `peak_hz`, then glides to `end_hz`.
struct Squeak {
    double seconds;
    double start_hz;
    double peak_hz;
    double end_hz;
    double vibrato_hz;
    double brightness;  // 0..1, weight of the upper harmonics
    unsigned seed;      // for the breathy onset noise
};

std::vector<float> synth_squeak(const Squeak& squeak);

// A short brass fanfare with a cheering crowd behind it.
std::vector<float> synth_hooray();

// Scales the samples so the loudest one has magnitude `peak`.
void normalize(std::vector<float>& samples, float peak);

}  // namespace assets
