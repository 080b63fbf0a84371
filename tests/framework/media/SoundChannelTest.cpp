#include "framework/media/SoundChannel.h"

#include <gtest/gtest.h>

#include "framework/events/Event.h"
#include "framework/media/Sound.h"
#include "runtime/Function.h"
#include "tests/framework/media/SoundChannelProbe.h"
#include "tests/support/BackendTest.h"

namespace limn::media {
namespace {

using events::Event;

class SoundChannelTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        SoundChannelProbe::incomplete().clear();
        backend.answerWith("limn_sound_from_file",
                           [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("file"); });
        backend.answer("limn_sound_get_status", rt::props({{"bytesLoaded", 1}, {"bytesTotal", 1}}));
        sound = std::make_shared<Sound>(std::make_shared<net::URLRequest>("s.wav"));
    }
    void TearDown() override { SoundChannelProbe::incomplete().clear(); }

    // Completion is scripted per channel handle.
    void completeWhen(std::function<bool(int)> isDone) {
        backend.answerWith("limn_sound_channel_is_complete", [isDone](rt::Args args) {
            return rt::Dynamic(isDone(recording::RecordingBackend::idOf(args[0])));
        });
    }
    void countCompletions(const std::shared_ptr<SoundChannel>& channel, int& count) {
        channel->addEventListener(Event::SOUND_COMPLETE, rt::function([&count] { ++count; }));
    }

    std::shared_ptr<Sound> sound;
};

TEST_F(SoundChannelTest, TwoPlaysGiveTwoChannelsEachCompletingOnce) {
    int first = 0;
    int second = 0;
    countCompletions(sound->play(), first);
    countCompletions(sound->play(), second);
    EXPECT_EQ(SoundChannelProbe::incomplete().size(), 2u);
    EXPECT_TRUE(SoundChannel::limnCompletePending());
    completeWhen([](int) { return true; });
    SoundChannel::limnPollComplete();
    SoundChannel::limnPollComplete();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(SoundChannel::limnCompletePending());
}

TEST_F(SoundChannelTest, CompletionReachesAListenerAfterTheCallerDroppedTheChannel) {
    int count = 0;
    countCompletions(sound->play(), count);
    completeWhen([](int) { return true; });
    SoundChannel::limnPollComplete();
    EXPECT_EQ(count, 1);
}

TEST_F(SoundChannelTest, CompletedChannelDropsItsHandleAndEventDoesNotBubble) {
    auto channel = sound->play();
    bool bubbles = true;
    channel->addEventListener(
        Event::SOUND_COMPLETE,
        rt::function([&](const std::shared_ptr<Event>& e) { bubbles = e->bubbles; }));
    completeWhen([](int) { return true; });
    EXPECT_TRUE(channel->limnCheckComplete());
    EXPECT_TRUE(channel->limnHandle.isNull());
    EXPECT_FALSE(bubbles);
    EXPECT_FALSE(channel->limnCheckComplete()) << "a channel completes only once";
}

TEST_F(SoundChannelTest, UnfinishedChannelsStayInOrder) {
    auto a = sound->play();
    auto b = sound->play();
    auto c = sound->play();
    const int bId = recording::RecordingBackend::idOf(b->limnHandle);
    completeWhen([bId](int id) { return id == bId; });
    SoundChannel::limnPollComplete();
    ASSERT_EQ(SoundChannelProbe::incomplete().size(), 2u);
    EXPECT_EQ(SoundChannelProbe::incomplete()[0], a);
    EXPECT_EQ(SoundChannelProbe::incomplete()[1], c);
}

TEST_F(SoundChannelTest, SoundStartedByACompletionListenerIsCheckedInTheSameWalk) {
    auto first = sound->play();
    const int firstId = recording::RecordingBackend::idOf(first->limnHandle);
    std::shared_ptr<SoundChannel> started;
    first->addEventListener(Event::SOUND_COMPLETE, rt::function([&] { started = sound->play(); }));
    int checks = 0;
    backend.answerWith("limn_sound_channel_is_complete", [&](rt::Args args) {
        ++checks;
        return rt::Dynamic(recording::RecordingBackend::idOf(args[0]) == firstId);
    });
    SoundChannel::limnPollComplete();
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(checks, 2) << "the new channel should be checked in the same walk";
    ASSERT_EQ(SoundChannelProbe::incomplete().size(), 1u);
    EXPECT_EQ(SoundChannelProbe::incomplete()[0], started);
}

TEST_F(SoundChannelTest, ChannelWithoutHandleNeverEntersTheList) {
    backend.answer("limn_sound_channel_create", rt::Dynamic());
    auto channel = sound->play();
    ASSERT_NE(channel, nullptr);
    EXPECT_FALSE(SoundChannel::limnCompletePending());
    EXPECT_FALSE(channel->limnCheckComplete());
}

TEST_F(SoundChannelTest, StopKeepsTheChannelWaitingForCompletion) {
    auto channel = sound->play();
    channel->stop();
    EXPECT_EQ(backend.last("limn_sound_channel_stop")->args[0], channel->limnHandle);
    SoundChannel::limnPollComplete();
    EXPECT_TRUE(SoundChannel::limnCompletePending());
}

TEST_F(SoundChannelTest, SettingTransformKeepsAPrivateCopy) {
    auto channel = sound->play();
    auto given = std::make_shared<SoundTransform>(0.25, 0.0);
    channel->set("soundTransform", given);
    given->volume = 0.9;
    EXPECT_EQ(channel->limnGetTransform()->volume, 0.25);
    auto passed = backend.last("limn_sound_channel_set_transform")->args[1].as<SoundTransform>();
    EXPECT_EQ(passed, channel->get("limnTransform").as<SoundTransform>());
    EXPECT_NE(channel->limnGetTransform(), channel->limnGetTransform()) << "reads must be copies";
}

TEST_F(SoundChannelTest, TransformOfAChannelMadeWithoutOneIsNull) {
    EXPECT_EQ(sound->play()->limnGetTransform(), nullptr);
}

TEST_F(SoundChannelTest, PeaksAndPositionReadNullAsZero) {
    auto channel = sound->play();
    backend.answer("limn_sound_channel_get_position", 12.5);
    EXPECT_EQ(channel->get("position").asFloat(), 12.5);
    EXPECT_EQ(channel->get("leftPeak").asFloat(), 0.0);
    EXPECT_EQ(channel->limnGetRight(), 0.0);
}

TEST(SoundTransform, DefaultsAreFullVolumeAndPanOne) {
    SoundTransform t;
    EXPECT_EQ(t.volume, 1.0);
    EXPECT_EQ(t.pan, 1.0);
    SoundTransform custom(0.3, -0.5);
    auto copy = custom.clone();
    EXPECT_EQ(copy->volume, 0.3);
    EXPECT_EQ(copy->pan, -0.5);
}

}  // namespace
}  // namespace limn::media
