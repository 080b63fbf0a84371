#include "framework/media/Sound.h"

#include <gtest/gtest.h>

#include "framework/events/Event.h"
#include "framework/events/IOErrorEvent.h"
#include "runtime/Function.h"
#include "tests/framework/media/SoundChannelProbe.h"
#include "tests/support/BackendTest.h"

namespace limn::media {
namespace {

using events::Event;

rt::Dynamic status(int loaded, int total, rt::Dynamic error = {}) {
    auto record = rt::props({{"bytesLoaded", loaded}, {"bytesTotal", total}});
    if (!error.isNull()) record->set("error", error);
    return record;
}

class SoundTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        SoundChannelProbe::incomplete().clear();
        backend.answerWith("limn_sound_from_file",
                           [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("file"); });
        backend.answer("limn_sound_get_status", status(100, 100));
    }
    void TearDown() override { SoundChannelProbe::incomplete().clear(); }

    std::shared_ptr<Sound> loaded(const std::string& url = "sounds/eep.wav") {
        return std::make_shared<Sound>(std::make_shared<net::URLRequest>(url));
    }
};

TEST_F(SoundTest, MissingFileFailsWithTheUrl) {
    backend.clearAnswers("limn_sound_from_file");
    try {
        loaded("sounds/none.wav");
        FAIL() << "constructing a sound of a missing file did not throw";
    } catch (const rt::Error& e) {
        EXPECT_STREQ(e.what(), "Could not load:sounds/none.wav");
    }
}

TEST_F(SoundTest, LoadHandsUrlAndMusicFlagToTheBackend) {
    auto sound = std::make_shared<Sound>(std::make_shared<net::URLRequest>("a.ogg"), nullptr, true);
    const auto* call = backend.last("limn_sound_from_file");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0].asString(), "a.ogg");
    EXPECT_TRUE(call->args[1].asBool());
    EXPECT_EQ(sound->limnGetBytesTotal(), 100);
    EXPECT_FALSE(sound->limnGetLoading());
}

TEST_F(SoundTest, MissingStatusFails) {
    backend.answer("limn_sound_get_status", rt::Dynamic());
    EXPECT_THROW(
        {
            try {
                loaded();
            } catch (const rt::Error& e) {
                EXPECT_STREQ(e.what(), "Could not get sound status");
                throw;
            }
        },
        rt::Error);
}

TEST_F(SoundTest, StatusErrorIsThrownUnchanged) {
    backend.answer("limn_sound_get_status", status(1, 1, "bad header"));
    try {
        loaded();
        FAIL() << "a status error was not thrown";
    } catch (const rt::Error& e) {
        EXPECT_STREQ(e.what(), "bad header");
    }
}

TEST_F(SoundTest, SoundStillLoadingDoesNotPlay) {
    backend.answer("limn_sound_get_status", status(10, 100));
    auto sound = loaded();
    EXPECT_TRUE(sound->limnGetLoading());
    EXPECT_EQ(sound->play(), nullptr);
    EXPECT_EQ(sound->limnGetLength(), 0.0);
    EXPECT_EQ(sound->limnGetID3(), nullptr);
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 0);
}

TEST_F(SoundTest, LoadingFinishesWhenStatusCatchesUp) {
    backend.answerOnce("limn_sound_get_status", status(10, 100));
    auto sound = loaded();
    EXPECT_NE(sound->play(), nullptr) << "the second status reports all bytes";
    EXPECT_EQ(sound->limnGetBytesLoaded(), 100);
}

TEST_F(SoundTest, PlayPassesArgumentsAndAClonedTransform) {
    auto sound = loaded();
    auto transform = std::make_shared<SoundTransform>(0.5, -1.0);
    auto channel = sound->play(2.5, 3, transform);
    ASSERT_NE(channel, nullptr);
    const auto* call = backend.last("limn_sound_channel_create");
    EXPECT_EQ(call->args[0], sound->limnHandle);
    EXPECT_EQ(call->args[1].asFloat(), 2.5);
    EXPECT_EQ(call->args[2].asInt(), 3);
    auto passed = call->args[3].as<SoundTransform>();
    ASSERT_NE(passed, nullptr);
    EXPECT_NE(passed, transform) << "the channel must keep its own copy";
    EXPECT_EQ(passed->volume, 0.5);
}

TEST_F(SoundTest, CloseReleasesAndLaterCallsActAsUnloaded) {
    auto sound = loaded();
    rt::Dynamic handle = sound->limnHandle;
    sound->close();
    EXPECT_EQ(backend.last("limn_sound_close")->args[0], handle);
    EXPECT_EQ(sound->play(), nullptr);
    EXPECT_EQ(sound->limnGetLength(), 0.0);
    EXPECT_EQ(sound->limnGetID3(), nullptr);
    sound->close();
    EXPECT_EQ(backend.count("limn_sound_close"), 1) << "a second close released again";
}

TEST_F(SoundTest, LengthReadsTheBackendAndNullAsZero) {
    auto sound = loaded();
    backend.answer("limn_sound_get_length", 1.5);
    EXPECT_EQ(sound->get("length").asFloat(), 1.5);
    backend.answer("limn_sound_get_length", rt::Dynamic());
    EXPECT_EQ(sound->limnGetLength(), 0.0);
}

TEST_F(SoundTest, Id3IsFilledByTheBackendByName) {
    auto sound = loaded();
    backend.answerWith("limn_sound_get_id3", [](rt::Args args) -> rt::Dynamic {
        args[1].asObject()->set("artist", "Someone");
        return {};
    });
    auto info = sound->limnGetID3();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->artist.asString(), "Someone");
    EXPECT_TRUE(info->album.isNull());
}

TEST_F(SoundTest, BufferingOnlyWhileLoadingWithoutAHandle) {
    auto sound = loaded();
    EXPECT_FALSE(sound->limnIsBuffering());
    sound->set("limnLoading", true);
    sound->limnHandle = rt::Dynamic();
    EXPECT_TRUE(sound->limnIsBuffering());
}

TEST_F(SoundTest, OnErrorDispatchesIoErrorAndForgetsTheSound) {
    auto sound = loaded();
    std::string text;
    bool bubbles = false;
    sound->addEventListener("ioError", rt::function([&](const std::shared_ptr<Event>& e) {
                                auto io = std::dynamic_pointer_cast<events::IOErrorEvent>(e);
                                text = io ? io->limnString : "";
                                bubbles = e->bubbles;
                            }));
    sound->callMethod("limnOnError", std::vector<rt::Dynamic>{"broken"});
    EXPECT_EQ(text, "broken");
    EXPECT_TRUE(bubbles);
    EXPECT_TRUE(sound->limnHandle.isNull());
    EXPECT_FALSE(sound->limnGetLoading());
}

}  // namespace
}  // namespace limn::media
