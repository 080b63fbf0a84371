// The browser's sound decoder (our WAV reader and stb_vorbis, built natively
// here) against the desktop's: every WAV encoding at the mixer's rate gives the
// very same samples; other rates and Ogg Vorbis come close. Damaged files never
// crash the browser's decoder (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

#include "backend/audio/AudioMixer.h"
#include "backend/audio/SoundDecoder.h"
#include "backend/web/audio/SoundDecode.h"
#include "tests/backend/MediaFiles.h"
#include "tests/backend/audio/OggFiles.h"
#include "tests/backend/audio/SoundDecodingTest.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;
using limn::testing::put16;
using limn::testing::put32;
using limn::testing::putText;

// A WAV of `frames` frames of a two-tone signal in the given encoding.
ByteVector wav(int encoding, int bits, int channels, int rate, int frames) {
    ByteVector data;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double v = 0.7 * std::sin(0.05 * i * (c + 1)) + 0.25 * std::sin(0.9 * i);
            if (encoding == 3) {
                const auto f = static_cast<float>(v);
                std::uint32_t u;
                std::memcpy(&u, &f, 4);
                put32(data, u);
            } else if (bits == 8) {
                data.push_back(static_cast<std::uint8_t>(std::lround(v * 127 + 128)));
            } else {
                const auto s = static_cast<std::int64_t>(std::lround(v * 2147483647.0));
                for (int b = 4 - bits / 8; b < 4; ++b) {
                    data.push_back(static_cast<std::uint8_t>((s >> (8 * b)) & 0xFF));
                }
            }
        }
    }
    ByteVector out;
    putText(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(4 + 24 + 8 + data.size()));
    putText(out, "WAVEfmt ");
    put32(out, 16);
    put16(out, static_cast<unsigned>(encoding));
    put16(out, static_cast<unsigned>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * bits / 8));
    put16(out, static_cast<unsigned>(channels * bits / 8));
    put16(out, static_cast<unsigned>(bits));
    putText(out, "data");
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

class SoundDecoderAgreement : public SoundDecodingTest {
protected:
    struct Difference {
        std::int64_t desktopFrames = 0;
        std::int64_t webFrames = 0;
        double most = 0;
        double mean = 0;
    };

    static Difference compare(const ByteVector& bytes) {
        std::string reason;
        const SoundSamples desktop = SoundDecoder::decode(bytes, AudioMixer::kFrequency, reason);
        EXPECT_TRUE(desktop) << reason;
        const std::vector<float> web =
            web::SoundDecode::decode(bytes, AudioMixer::kFrequency, 600, reason);
        EXPECT_FALSE(web.empty()) << reason;
        Difference d{desktop.frames, static_cast<std::int64_t>(web.size() / 2)};
        const std::int64_t common = 2 * std::min(d.desktopFrames, d.webFrames);
        for (std::int64_t i = 0; i < common; ++i) {
            const double e = std::abs(double{desktop.data.get()[i]} - web[i]);
            d.most = std::max(d.most, e);
            d.mean += e;
        }
        if (common) d.mean /= static_cast<double>(common);
        return d;
    }
};

TEST_F(SoundDecoderAgreement, EveryWavEncodingAtTheMixersRateGivesTheSameSamples) {
    struct Case {
        int encoding, bits, channels;
    };
    for (const Case c : {Case{1, 8, 1}, Case{1, 16, 1}, Case{1, 16, 2}, Case{1, 24, 2},
                         Case{1, 32, 1}, Case{3, 32, 2}, Case{6, 8, 1}, Case{7, 8, 2}}) {
        const Difference d = compare(wav(c.encoding, c.bits, c.channels, 44100, 3001));
        EXPECT_EQ(d.desktopFrames, 3001) << c.encoding << " " << c.bits << " " << c.channels;
        EXPECT_EQ(d.webFrames, d.desktopFrames);
        EXPECT_EQ(d.most, 0.0) << c.encoding << " " << c.bits << " " << c.channels;
    }
}

TEST_F(SoundDecoderAgreement, OtherRatesAndVorbisComeClose) {
    // The game's sounds are 16-bit mono at 22050 Hz.
    const Difference half = compare(wav(1, 16, 1, 22050, 2000));
    EXPECT_EQ(half.webFrames, half.desktopFrames);
    EXPECT_LT(half.mean, 0.02);
    const Difference ogg = compare(limn::testing::makeOgg(0.5, 44100));
    EXPECT_NEAR(static_cast<double>(ogg.webFrames), static_cast<double>(ogg.desktopFrames), 64);
    EXPECT_LT(ogg.mean, 1e-3);
    EXPECT_LT(ogg.most, 1e-2);
}

TEST_F(SoundDecoderAgreement, DamagedSoundsNeverCrashTheBrowserDecoder) {
    std::mt19937 random(11);
    const char* wanted = std::getenv("LIMN_FUZZ_MUTANTS");
    const int mutants = wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : 300;
    for (const ByteVector& seed :
         {wav(1, 16, 2, 22050, 500), wav(7, 8, 1, 8000, 300), limn::testing::makeOgg(0.2, 22050)}) {
        for (int i = 0; i < mutants; ++i) {
            std::string reason;
            const auto out =
                web::SoundDecode::decode(limn::testing::mutate(seed, random), 44100, 600, reason);
            EXPECT_EQ(out.size() % 2, 0u);
            EXPECT_TRUE(!out.empty() || !reason.empty());
        }
    }
}

}  // namespace
}  // namespace limn::sdl
