// The same sound requests give the same mixed samples on every backend: sounds
// decoded by the backend's decoder, played on a mixer without output, mixed a
// block at a time. This program runs on the desktop and, built for WebAssembly,
// under Node; both must reach the same digest of every sample and every
// channel's peaks, frame counts and completion.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/SoundDecoder.h"
#include "tests/backend/MediaFiles.h"
#include "tests/backend/audio/SoundDecodingTest.h"

namespace limn::sdl {
namespace {

// FNV-1a over the bits of what the mixer hands out.
class Digest {
public:
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (std::size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001B3ull;
    }
    template <class T>
    void add(T v) {
        add(&v, sizeof v);
    }
    [[nodiscard]] std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325ull;
};

SoundSamples decoded(const limn::testing::ByteVector& wav) {
    std::string reason;
    SoundSamples samples = SoundDecoder::decode(wav, AudioMixer::kFrequency, reason);
    EXPECT_TRUE(samples) << reason;
    return samples;
}

using MixerOutput = SoundDecodingTest;

TEST_F(MixerOutput, SameRequestsGiveTheSameSamples) {
    const SoundSamples tone = decoded(limn::testing::makeWav(0.05, 44100, 1, 440, 0.6));
    const SoundSamples chord = decoded(limn::testing::makeWav(0.03, 44100, 2, 660, 0.9));
    ASSERT_EQ(tone.frames, 2205);
    ASSERT_EQ(chord.frames, 1323);
    auto mixer = AudioMixer::withoutOutput();
    std::vector<std::shared_ptr<AudioVoice>> voices;
    std::vector<int> channels;
    auto play = [&](const SoundSamples& s, std::int64_t first, int loops, float left, float right) {
        auto voice = std::make_shared<AudioVoice>();
        voice->leftGain = left;
        voice->rightGain = right;
        voices.push_back(voice);
        channels.push_back(mixer->play(s, first, s.frames - first, loops, voice));
        EXPECT_GE(channels.back(), 0);
    };
    Digest digest;
    std::vector<float> block(2 * AudioMixer::kBufferFrames);
    for (int n = 0; n < 40; ++n) {
        // Requests between blocks, as the program thread makes them: overlaps,
        // loops, start offsets, pans, a stop, and five loud ones for the limiter.
        if (n == 0) play(tone, 0, 2, 1.0f, 0.5f);
        if (n == 1) play(chord, 300, 0, 0.25f, 1.0f);
        if (n == 3) voices[0]->leftGain = 0.8f;
        if (n == 5) mixer->stop(channels[1], voices[1].get());
        if (n == 9) {
            for (int i = 0; i < 5; ++i) play(chord, 7 * i, 1, 1.0f, 1.0f);
        }
        mixer->mix(block.data(), static_cast<int>(block.size() / 2));
        digest.add(block.data(), block.size() * sizeof(float));
        for (const auto& voice : voices) {
            digest.add(voice->leftPeak.load());
            digest.add(voice->rightPeak.load());
            digest.add(voice->framesMixed.load());
            digest.add(voice->finished.load());
        }
    }
    for (const auto& voice : voices) EXPECT_TRUE(voice->finished);
    EXPECT_EQ(voices[0]->framesMixed, 3 * tone.frames);
    EXPECT_EQ(voices[2]->framesMixed, 2 * chord.frames);
    EXPECT_EQ(digest.value(), 0x38916d447b87238bull) << std::hex << digest.value();
}

}  // namespace
}  // namespace limn::sdl
