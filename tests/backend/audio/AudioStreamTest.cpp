// Music streamed from its file while it plays, on SDL's silent driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "backend/audio/AudioChannel.h"
#include "backend/audio/AudioSound.h"
#include "tests/backend/MediaFiles.h"
#include "tests/backend/audio/OggFiles.h"
#include "tests/backend/audio/WaitFor.h"

namespace limn::sdl {
namespace {

using limn::testing::ByteVector;
using limn::testing::makeOgg;
using limn::testing::makeWav;
using limn::testing::TempDir;
using limn::testing::waitFor;
using namespace std::chrono_literals;

TEST(AudioMusic, LongerThanTheDecodeCapStillStreams) {
    TempDir dir;
    // 700 s at 8 kHz: past the cap for sounds decoded whole, 11 MB on disk.
    const ByteVector wav = makeWav(700, 8000);
    const std::string path = dir.write("long.wav", wav);
    EXPECT_EQ(AudioSound::fromFile(path), nullptr) << "decoded whole, it is over the cap";
    auto music = AudioSound::fromFile(path, true);
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->streamed());
    EXPECT_NEAR(music->lengthMs(), 700000.0, 0.1);
    EXPECT_EQ(music->bytesTotal(), static_cast<std::int64_t>(wav.size()));
    auto channel = AudioChannel::play(*music, 699900, 0);
    ASSERT_NE(channel, nullptr);
    EXPECT_GE(channel->positionMs(), 699899.0);
    ASSERT_TRUE(waitFor([&] { return channel->isComplete(); }));
    EXPECT_NEAR(channel->positionMs(), 700000.0, 1.0);
}

TEST(AudioMusic, PlaysWithStartLoopsPanAndStop) {
    TempDir dir;
    auto music = AudioSound::fromFile(dir.write("tone.wav", makeWav(0.2, 22050, 2)), true);
    ASSERT_NE(music, nullptr);
    auto channel = AudioChannel::play(*music, 100, 2, 1.0, 1.0);
    ASSERT_NE(channel, nullptr);
    double left = 0;
    double right = 0;
    double lowest = 1e9;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitFor([&] {
        left = std::max(left, channel->leftPeak());
        right = std::max(right, channel->rightPeak());
        lowest = std::min(lowest, channel->positionMs());
        return channel->isComplete();
    }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms) << "three passes of 100 ms";
    EXPECT_GE(lowest, 100.0) << "every pass starts at the start offset";
    EXPECT_EQ(left, 0.0) << "panned right";
    EXPECT_GT(right, 0.3);
    EXPECT_NEAR(channel->positionMs(), 200.0, 1.0);

    auto stopped = AudioChannel::play(*music, 0, 5);
    stopped->stop();
    EXPECT_TRUE(stopped->isComplete());
    EXPECT_TRUE(AudioChannel::play(*music, 5000, 0)->isComplete()) << "a start past the end";
}

TEST(AudioMusic, SeveralPlaysOfOneMusicRunSideBySide) {
    TempDir dir;
    auto music = AudioSound::fromFile(dir.write("tone.wav", makeWav(1.0)), true);
    ASSERT_NE(music, nullptr);
    auto first = AudioChannel::play(*music, 0, 0);
    auto second = AudioChannel::play(*music, 500, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(waitFor([&] { return first->positionMs() > 50 && second->positionMs() > 550; }));
    EXPECT_FALSE(first->isComplete());
    EXPECT_LT(first->positionMs(), second->positionMs());
    // Closing stops new plays, not the ones playing.
    music->close();
    EXPECT_EQ(AudioChannel::play(*music, 0, 0), nullptr);
    EXPECT_EQ(music->lengthMs(), 0.0);
    EXPECT_TRUE(waitFor([&] { return first->isComplete() && second->isComplete(); }));
}

TEST(AudioMusic, OggVorbisStreams) {
    TempDir dir;
    const std::string path = dir.write("tone.ogg", makeOgg(0.5, 22050));
    auto music = AudioSound::fromFile(path, true);
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->streamed());
    EXPECT_NEAR(music->lengthMs(), 500.0, 1.0);
    auto channel = AudioChannel::play(*music, 0, 1);
    ASSERT_NE(channel, nullptr);
    double loudest = 0;
    ASSERT_TRUE(waitFor([&] {
        loudest = std::max(loudest, channel->leftPeak());
        return channel->isComplete();
    }));
    EXPECT_GT(loudest, 0.3);
    EXPECT_NEAR(channel->positionMs(), 500.0, 1.0);
}

TEST(AudioMusic, WhatCannotBeStreamedIsDecodedOrRefused) {
    TempDir dir;
    ByteVector alaw = makeWav(0.2, 8000);
    // A-law, one byte a sample: not streamed, decoded whole instead.
    alaw[20] = 6;
    alaw[28] = 0x40;  // 8000 bytes a second
    alaw[29] = 0x1F;
    alaw[32] = 1;
    alaw[34] = 8;
    auto decoded = AudioSound::fromFile(dir.write("alaw.wav", alaw), true);
    ASSERT_NE(decoded, nullptr);
    EXPECT_FALSE(decoded->streamed());
    EXPECT_EQ(AudioSound::fromFile(dir.file("missing.ogg"), true), nullptr);
    EXPECT_EQ(AudioSound::fromFile(dir.write("noise.ogg", ByteVector(4000, 0x4F)), true), nullptr);
    ByteVector cut = makeOgg(0.5, 22050);
    cut.resize(cut.size() / 2);
    auto truncated = AudioSound::fromFile(dir.write("cut.ogg", cut), true);
    if (truncated) {
        auto channel = AudioChannel::play(*truncated, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !channel || channel->isComplete(); }));
    }
}

}  // namespace
}  // namespace limn::sdl
