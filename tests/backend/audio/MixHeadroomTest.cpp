// Overlapping voices through the real mixer, captured with SDL's "disk"
// driver: the output has headroom and a limiter, never a full-scale sample.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "backend/audio/AudioChannel.h"
#include "backend/audio/AudioSound.h"
#include "tests/backend/MediaFiles.h"

namespace limn::sdl {
namespace {

using namespace std::chrono_literals;

// Plays `voices` copies of each sound at once on the disk driver; returns the
// float samples written.
std::vector<float> capture(const std::vector<limn::testing::ByteVector>& sounds, int voices) {
    limn::testing::TempDir dir;
    const std::string path = dir.file("mix.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    {
        std::vector<std::shared_ptr<AudioSound>> loaded;
        std::vector<std::shared_ptr<AudioChannel>> playing;
        for (const auto& bytes : sounds) loaded.push_back(AudioSound::fromBytes(bytes));
        for (const auto& sound : loaded) {
            if (!sound) return {};
            EXPECT_EQ(sound->mixer()->driver(), "disk");
            for (int i = 0; i < voices; ++i) playing.push_back(AudioChannel::play(*sound, 0, 0));
        }
        const auto end = std::chrono::steady_clock::now() + 5s;
        auto busy = [&] {
            for (const auto& c : playing) {
                if (c && !c->isComplete()) return true;
            }
            return false;
        };
        while (busy() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ifstream in(path, std::ios::binary);
    std::vector<float> samples;
    float v = 0;
    while (in.read(reinterpret_cast<char*>(&v), sizeof v)) samples.push_back(v);
    return samples;
}

float loudest(const std::vector<float>& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::abs(s));
    return peak;
}

TEST(MixHeadroom, FiveLoudVoicesOverlappingNeverReachFullScale) {
    // The same squeak five times in phase: the worst case, 5 x 0.9 summed.
    const auto squeak = limn::testing::makeWav(0.3, 44100, 2, 880, 0.9);
    const std::vector<float> out = capture({squeak}, 5);
    ASSERT_GT(out.size(), 44100u / 4);
    EXPECT_LE(loudest(out), AudioMixer::kCeiling + 1e-4f);
    EXPECT_GT(loudest(out), 0.8f) << "turned down, not silenced";
}

TEST(MixHeadroom, OneVoiceIsNotTouched) {
    const auto tone = limn::testing::makeWav(0.3, 44100, 2, 440, 0.5);
    const std::vector<float> out = capture({tone}, 1);
    ASSERT_GT(out.size(), 44100u / 4);
    EXPECT_NEAR(loudest(out), 0.5f, 0.01f);
}

}  // namespace
}  // namespace limn::sdl
