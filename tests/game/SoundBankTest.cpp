#include "game/sound/SoundBank.h"

#include <gtest/gtest.h>

#include "framework/media/Sound.h"
#include "tests/support/BackendTest.h"

namespace {

using com::quillfern::sound::SoundBank;
using limn::recording::RecordingBackend;

class SoundBankTest : public limn::testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        backend.answerWith("limn_sound_from_file",
                           [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("sound"); });
        backend.answer("limn_sound_get_status",
                       rt::props({{"bytesLoaded", 100}, {"bytesTotal", 100}}));
    }

    // The copy each play used, as its index in the bank.
    std::vector<int> playedCopies(const SoundBank& bank) {
        std::vector<int> copies;
        for (const auto& call : backend.callsTo("limn_sound_channel_create")) {
            for (std::size_t i = 0; i < bank.bank.size(); ++i) {
                if (call.args[0] == bank.bank[i]->limnHandle) copies.push_back(static_cast<int>(i));
            }
        }
        return copies;
    }
};

TEST_F(SoundBankTest, PlaysCopiesRoundRobin) {
    SoundBank bank("sounds/eep.wav", 3);
    ASSERT_EQ(bank.bank.size(), 3u);
    for (int i = 0; i < 4; ++i) bank.play();
    EXPECT_EQ(playedCopies(bank), (std::vector<int>{0, 1, 2, 0}));
}

TEST_F(SoundBankTest, DefaultBankHasOneCopyUsedEveryTime) {
    SoundBank bank("sounds/hooray.wav");
    bank.play();
    bank.play();
    EXPECT_EQ(bank.samples, 1);
    EXPECT_EQ(playedCopies(bank), (std::vector<int>{0, 0}));
}

TEST_F(SoundBankTest, NegativeIndexSilencesUntilReset) {
    SoundBank bank("sounds/eep.wav", 2);
    bank.currentIndex = -1;
    bank.play();
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 0);
    bank.currentIndex = 0;
    bank.play();
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 1);
}

TEST_F(SoundBankTest, BankWithoutCopiesPlaysNothing) {
    SoundBank none("sounds/eep.wav", 0);
    SoundBank negative("sounds/eep.wav", -3);
    none.play();
    negative.play();
    EXPECT_TRUE(none.bank.empty());
    EXPECT_TRUE(negative.bank.empty());
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 0);
}

TEST_F(SoundBankTest, IndexPastTheEndPlaysNothing) {
    SoundBank bank("sounds/eep.wav", 2);
    bank.currentIndex = 2;
    bank.play();
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 0);
}

TEST_F(SoundBankTest, PassesStartAndLoopsWithoutTransform) {
    SoundBank bank("sounds/eep.wav", 1);
    bank.play(0.5, 2);
    const auto* call = backend.last("limn_sound_channel_create");
    ASSERT_NE(call, nullptr);
    EXPECT_DOUBLE_EQ(call->args[1].asFloat(), 0.5);
    EXPECT_EQ(call->args[2].asInt(), 2);
    EXPECT_TRUE(call->args[3].isNull());
}

TEST_F(SoundBankTest, TracesThePathOncePerCopy) {
    ::testing::internal::CaptureStdout();
    SoundBank bank("sounds/eep2.wav", 3);
    const std::string out = ::testing::internal::GetCapturedStdout();
    std::size_t count = 0;
    for (auto at = out.find("sounds/eep2.wav"); at != std::string::npos;
         at = out.find("sounds/eep2.wav", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 3u) << out;
}

TEST_F(SoundBankTest, MissingFileFailsConstruction) {
    backend.clearAnswers("limn_sound_from_file");
    try {
        SoundBank bank("sounds/none.wav", 2);
        FAIL() << "a bank of a missing file must not be made";
    } catch (const rt::Error& e) {
        EXPECT_STREQ(e.what(), "Could not load:sounds/none.wav");
    }
}

TEST_F(SoundBankTest, CopyStillLoadingPassesItsTurn) {
    SoundBank bank("sounds/eep.wav", 2);
    backend.answer("limn_sound_get_status", rt::props({{"bytesLoaded", 1}, {"bytesTotal", 9}}));
    bank.bank[0]->set("limnLoading", true);
    bank.play();
    EXPECT_EQ(backend.count("limn_sound_channel_create"), 0);
    EXPECT_EQ(bank.currentIndex, 1);
}

}  // namespace
