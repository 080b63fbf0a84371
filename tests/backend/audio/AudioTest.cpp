// Sound loading and playback on SDL's silent driver: real mixing, real timing,
// nothing heard.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "backend/audio/AudioChannel.h"
#include "backend/audio/AudioSound.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Object.h"
#include "tests/backend/MediaFiles.h"
#include "tests/backend/audio/WaitFor.h"

namespace limn::sdl {
namespace {

using limn::testing::makeWav;
using limn::testing::TempDir;
using limn::testing::waitFor;
using namespace std::chrono_literals;

class SilentAudio : public ::testing::Environment {
public:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};
const auto* const kSilentAudio = ::testing::AddGlobalTestEnvironment(new SilentAudio);

std::shared_ptr<AudioSound> tone(double seconds, int channels = 1) {
    return AudioSound::fromBytes(makeWav(seconds, 22050, channels));
}

TEST(AudioSound, DecodesWavAndMeasuresLength) {
    auto sound = tone(0.5);
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(sound->lengthMs(), 500.0, 1.0);
}

TEST(AudioSound, MissingFileGivesNoSound) {
    EXPECT_EQ(AudioSound::fromFile("/nonexistent/nothing.wav"), nullptr);
}

TEST(AudioSound, DirectoryOrEmptyFileGivesNoSound) {
    TempDir dir;
    EXPECT_EQ(AudioSound::fromFile(dir.file("")), nullptr);
    EXPECT_EQ(AudioSound::fromFile(dir.write("empty.wav", {})), nullptr);
}

TEST(AudioSound, CorruptWavGivesNoSound) {
    auto wav = makeWav(0.1);
    std::fill(wav.begin() + 8, wav.begin() + 16, 0x5A);  // no WAVE, no fmt
    EXPECT_EQ(AudioSound::fromBytes(wav), nullptr);
    EXPECT_EQ(AudioSound::fromBytes(limn::testing::ByteVector(40, 0x00)), nullptr);
}

TEST(AudioSound, TruncatedDataStillLoadsWhatIsThere) {
    auto wav = makeWav(0.2);
    wav.resize(wav.size() / 2);
    auto sound = AudioSound::fromBytes(wav);
    if (sound) {
        EXPECT_LT(sound->lengthMs(), 200.0);
    }
}

TEST(AudioChannel, PlaysToCompletionWithNonZeroPeaks) {
    auto sound = tone(0.3);
    ASSERT_NE(sound, nullptr);
    auto channel = AudioChannel::play(*sound, 0, 0);
    ASSERT_NE(channel, nullptr);
    double loudest = 0;
    const bool done = waitFor([&] {
        loudest = std::max(loudest, channel->leftPeak() + channel->rightPeak());
        return channel->isComplete();
    });
    EXPECT_TRUE(done) << "the channel never reported completion";
    EXPECT_GT(loudest, 0.3) << "peaks stayed near zero while the tone played";
    EXPECT_EQ(channel->leftPeak(), 0.0);
    EXPECT_NEAR(channel->positionMs(), 300.0, 1.0);
}

TEST(AudioChannel, DoesNotCompleteBeforeItsLength) {
    auto sound = tone(1.0);
    auto channel = AudioChannel::play(*sound, 0, 0);
    ASSERT_NE(channel, nullptr);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(channel->isComplete());
    EXPECT_GT(channel->positionMs(), 0.0);
    EXPECT_LT(channel->positionMs(), 1000.0);
}

TEST(AudioChannel, StopCompletesAtOnce) {
    auto sound = tone(5.0);
    auto channel = AudioChannel::play(*sound, 0, 0);
    ASSERT_NE(channel, nullptr);
    channel->stop();
    EXPECT_TRUE(channel->isComplete());
    EXPECT_EQ(channel->rightPeak(), 0.0);
}

TEST(AudioChannel, StartPastTheEndIsCompleteAtOnce) {
    auto sound = tone(0.1);
    auto channel = AudioChannel::play(*sound, 5000, 0);
    ASSERT_NE(channel, nullptr);
    EXPECT_TRUE(channel->isComplete());
}

TEST(AudioChannel, StartOffsetShortensThePlayback) {
    auto sound = tone(0.4);
    auto channel = AudioChannel::play(*sound, 300, 0);
    ASSERT_NE(channel, nullptr);
    EXPECT_GE(channel->positionMs(), 299.0);
    ASSERT_TRUE(waitFor([&] { return channel->isComplete(); }));
    EXPECT_NEAR(channel->positionMs(), 400.0, 1.0);
}

TEST(AudioChannel, ManyOverlappingChannelsAllPlay) {
    auto sound = tone(0.2);
    std::vector<std::shared_ptr<AudioChannel>> channels;
    for (int i = 0; i < 40; ++i) channels.push_back(AudioChannel::play(*sound, 0, 0));
    for (const auto& c : channels) ASSERT_NE(c, nullptr) << "a channel was refused";
    EXPECT_TRUE(waitFor([&] {
        return std::all_of(channels.begin(), channels.end(),
                           [](auto& c) { return c->isComplete(); });
    }));
}

TEST(AudioChannel, PanRightSilencesTheLeftSide) {
    auto sound = tone(1.0);
    auto channel = AudioChannel::play(*sound, 0, 0, 1.0, 1.0);
    ASSERT_TRUE(waitFor([&] { return channel->rightPeak() > 0; }));
    EXPECT_EQ(channel->leftPeak(), 0.0);
}

TEST(AudioChannel, ZeroVolumeGivesZeroPeaks) {
    auto sound = tone(1.0);
    auto channel = AudioChannel::play(*sound, 0, 0);
    channel->setTransform(0.0, 0.0);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(channel->leftPeak(), 0.0);
    EXPECT_EQ(channel->rightPeak(), 0.0);
}

TEST(AudioChannel, LoopsPlayTheSoundAgain) {
    auto sound = tone(0.1);
    auto channel = AudioChannel::play(*sound, 0, 2);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitFor([&] { return channel->isComplete(); }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms) << "three passes of 100 ms each";
}

TEST(AudioChannel, OutlivesItsClosedSound) {
    auto sound = tone(0.1);
    auto channel = AudioChannel::play(*sound, 0, 0);
    sound->close();
    sound.reset();
    EXPECT_TRUE(waitFor([&] { return channel->isComplete(); }));
    EXPECT_EQ(AudioChannel::play(*tone(0.1), 0, 0)->isComplete(), false);
}

TEST(AudioChannel, ClosedSoundDoesNotPlay) {
    auto sound = tone(0.1);
    sound->close();
    EXPECT_EQ(AudioChannel::play(*sound, 0, 0), nullptr);
    EXPECT_EQ(sound->lengthMs(), 0.0);
}

// The primitives as the framework calls them.
class AudioPrimitives : public ::testing::Test {
protected:
    void SetUp() override { registerAudioPrimitives(module); }

    rt::Dynamic call(const std::string& name, std::initializer_list<rt::Dynamic> args) {
        auto fn = module.find(native::exportName(name, static_cast<int>(args.size())));
        EXPECT_TRUE(fn.has_value())
            << name << " is not exported with " << args.size() << " arguments";
        if (!fn) return {};
        const std::vector<rt::Dynamic> list(args);
        return (*fn)(list);
    }

    native::TableModule module;
    TempDir dir;
};

TEST_F(AudioPrimitives, MissingFileGivesNullHandle) {
    EXPECT_TRUE(call("limn_sound_from_file", {"nothing/here.wav", false}).isNull());
}

TEST_F(AudioPrimitives, StatusReportsTheWholeFileLoaded) {
    const auto wav = makeWav(0.1);
    auto sound = call("limn_sound_from_file", {dir.write("a.wav", wav), false});
    ASSERT_TRUE(sound.isHandle());
    auto status = call("limn_sound_get_status", {sound}).asObject();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->get("bytesLoaded").asInt(), static_cast<int>(wav.size()));
    EXPECT_EQ(status->get("bytesTotal").asInt(), static_cast<int>(wav.size()));
    EXPECT_TRUE(status->get("error").isNull());
    EXPECT_NEAR(call("limn_sound_get_length", {sound}).asFloat(), 100.0, 1.0);
}

TEST_F(AudioPrimitives, ChannelTakesVolumeAndPanFromTheTransformRecord) {
    auto sound = call("limn_sound_from_file", {dir.write("a.wav", makeWav(1.0)), false});
    auto transform = rt::props({{"volume", 1.0}, {"pan", -1.0}});
    auto channel = call("limn_sound_channel_create", {sound, 0.0, 0, transform});
    ASSERT_TRUE(channel.isHandle());
    ASSERT_TRUE(
        waitFor([&] { return call("limn_sound_channel_get_left", {channel}).asFloat() > 0; }));
    EXPECT_EQ(call("limn_sound_channel_get_right", {channel}).asFloat(), 0.0);
    call("limn_sound_channel_stop", {channel});
    EXPECT_TRUE(call("limn_sound_channel_is_complete", {channel}).asBool());
}

TEST_F(AudioPrimitives, ClosedSoundGivesNoChannel) {
    auto sound = call("limn_sound_from_file", {dir.write("a.wav", makeWav(0.1)), false});
    call("limn_sound_close", {sound});
    EXPECT_TRUE(call("limn_sound_channel_create", {sound, 0.0, 0, nullptr}).isNull());
}

TEST_F(AudioPrimitives, Id3FillsOnlyTheFieldsPresent) {
    limn::testing::ByteVector info;
    limn::testing::putText(info, "LIST");
    limn::testing::put32(info, 4 + 8 + 6);
    limn::testing::putText(info, "INFOINAM");
    limn::testing::put32(info, 6);
    limn::testing::putText(info, "Squeak");
    auto sound = call("limn_sound_from_file",
                      {dir.write("a.wav", makeWav(0.1, 22050, 1, 440, 0.5, info)), false});
    ASSERT_TRUE(sound.isHandle());
    auto record = rt::props({{"songName", nullptr}, {"artist", nullptr}});
    call("limn_sound_get_id3", {sound, record});
    EXPECT_EQ(record->get("songName").asString(), "Squeak");
    EXPECT_TRUE(record->get("artist").isNull());
}

}  // namespace
}  // namespace limn::sdl
