#include "framework/Lib.h"

#include <gtest/gtest.h>

#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Stage.h"
#include "framework/net/URLRequest.h"
#include "native/EventRecord.h"
#include "tests/framework/LibProbe.h"
#include "tests/support/BackendTest.h"

namespace limn {
namespace {

const char* const kNoStage = "Error : stage can't be accessed until init is called";

class LibTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        resetLib();
        backend.answerWith("limn_display_object_get_id", [](rt::Args args) {
            return rt::Dynamic(recording::RecordingBackend::idOf(args[0]));
        });
    }
    void TearDown() override { resetLib(); }
    static void resetLib() {
        limn::LibProbe::stage() = nullptr;
        limn::LibProbe::current() = nullptr;
        limn::LibProbe::mainFrame() = rt::Dynamic();
    }
    // The arguments "limn_create_main_frame" received (one array).
    [[nodiscard]] rt::ArrayPtr frameArgs() const {
        const auto* call = backend.last("limn_create_main_frame");
        return call ? call->args[0].asArray() : nullptr;
    }
    // Plays the backend reporting the frame.
    void reportFrame() {
        auto args = frameArgs();
        ASSERT_NE(args, nullptr);
        (*args)[0].asFunction()(backend.makeHandle("frame"));
    }
    static void expectNoStage(const std::function<void()>& f) {
        try {
            f();
            ADD_FAILURE() << "no error without a stage";
        } catch (const rt::Error& e) {
            EXPECT_STREQ(e.what(), kNoStage);
        }
    }
};

TEST_F(LibTest, CreateHandsTheBackendSizeAndDefaults) {
    Lib::create(rt::function([] {}), 320, 480);
    auto args = frameArgs();
    ASSERT_NE(args, nullptr);
    ASSERT_EQ(args->size(), 6u);
    EXPECT_TRUE((*args)[0].isFunction());
    EXPECT_EQ((*args)[1].asInt(), 320);
    EXPECT_EQ((*args)[2].asInt(), 480);
    EXPECT_EQ((*args)[3].asInt(), 15);
    EXPECT_EQ((*args)[4].asString(), "Limn");
    EXPECT_EQ((*args)[5].asString(), "");
    reportFrame();
    EXPECT_EQ(Lib::stage()->limnGetFrameRate(), 60.0);
}

TEST_F(LibTest, CreateHandsFlagsTitleAndExtraUnchanged) {
    Lib::create(rt::function([] {}), 320, 480, 31.0, 0,
                Lib::FULLSCREEN | Lib::RESIZABLE | Lib::HARDWARE, "Game", "x=1");
    auto args = frameArgs();
    EXPECT_EQ((*args)[3].asInt(), 13);
    EXPECT_EQ((*args)[4].asString(), "Game");
    EXPECT_EQ((*args)[5].asString(), "x=1");
}

TEST_F(LibTest, CreateFromACallableOpensAPlainWindowNamedAfterTheProgram) {
    int loaded = 0;
    Lib::create([&] { ++loaded; }, 320, 240);
    auto args = frameArgs();
    ASSERT_NE(args, nullptr);
    EXPECT_EQ((*args)[1].asInt(), 320);
    EXPECT_EQ((*args)[2].asInt(), 240);
    EXPECT_EQ((*args)[3].asInt(), Lib::RESIZABLE);
    EXPECT_EQ((*args)[4].asString(), Lib::programName());
    EXPECT_FALSE(Lib::programName().empty());
    reportFrame();
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(Lib::stage()->frameRate(), 60.0);
}

TEST_F(LibTest, SecondCreateGivesANewStageAndANewRootClip) {
    Lib::create([] {}, {.width = 100, .height = 50, .title = "first"});
    reportFrame();
    auto firstStage = Lib::stage();
    auto firstRoot = Lib::current();
    Lib::create([] {}, {.width = 200, .height = 80, .title = "second"});
    EXPECT_EQ((*frameArgs())[4].asString(), "second");
    reportFrame();
    EXPECT_NE(Lib::stage(), firstStage);
    ASSERT_NE(Lib::current(), firstRoot);
    EXPECT_EQ(Lib::current()->limnGetParent(), Lib::stage());
}

TEST_F(LibTest, StageIsUnavailableUntilTheFrameIsReported) {
    Lib::create(rt::function([] {}), 320, 480);
    expectNoStage([] { (void)Lib::stage(); });
    expectNoStage([] { (void)Lib::current(); });
    reportFrame();
    EXPECT_NE(Lib::stage(), nullptr);
}

TEST_F(LibTest, OnLoadedRunsOnceTheStageIsComplete) {
    bool sawStage = false;
    double rate = 0;
    bool quitHook = false;
    Lib::create(rt::function([&] {
                    auto stage = Lib::stage();
                    sawStage = true;
                    rate = stage->limnGetFrameRate();
                    quitHook = static_cast<bool>(stage->onQuit);
                }),
                320, 480, 31.0, 0x123456);
    EXPECT_FALSE(sawStage) << "onLoaded must wait for the frame";
    reportFrame();
    EXPECT_TRUE(sawStage);
    EXPECT_EQ(rate, 31.0);
    EXPECT_TRUE(quitHook);
    EXPECT_EQ(backend.stored(Lib::stage()->limnHandle, "limn_display_object_set_bg").asInt(),
              0x123456);
    EXPECT_EQ(backend.last("limn_get_frame_stage")->args[0], limn::LibProbe::mainFrame());
}

TEST_F(LibTest, QuitEventClosesTheApplication) {
    Lib::create(rt::function([] {}), 320, 480);
    reportFrame();
    auto quit = std::make_shared<native::EventRecord>();
    quit->type = display::ManagedStage::etQuit;
    Lib::stage()->limnDoProcessStageEvent(quit);
    EXPECT_EQ(backend.count("limn_close"), 1);
}

TEST_F(LibTest, CurrentIsMadeOnceAndAddedToTheStageOnce) {
    Lib::createManagedStage(320, 480);
    auto first = Lib::current();
    auto second = Lib::current();
    EXPECT_EQ(first, second);
    EXPECT_EQ(backend.count("limn_doc_add_child"), 1);
    EXPECT_EQ(first->limnGetParent(), Lib::stage());
}

TEST_F(LibTest, CurrentAskedTooEarlyIsStillAddedLater) {
    expectNoStage([] { (void)Lib::current(); });
    Lib::createManagedStage(320, 480);
    EXPECT_EQ(Lib::current()->limnGetParent(), Lib::stage());
}

TEST_F(LibTest, ManagedStageBecomesTheStage) {
    auto stage = Lib::createManagedStage(800, 600);
    EXPECT_EQ(Lib::stage(), stage);
    EXPECT_EQ(backend.count("limn_create_main_frame"), 0);
}

TEST_F(LibTest, GetTimerTruncatesToWholeMilliseconds) {
    backend.setTime(1.2345);
    EXPECT_EQ(Lib::getTimer(), 1234);
    backend.setTime(1e12);
    EXPECT_EQ(Lib::getTimer(), INT_MAX) << "an absurd clock must not overflow";
}

TEST_F(LibTest, GetUrlHandsTheUrlText) {
    Lib::getURL(net::URLRequest("http://example.org/"));
    EXPECT_EQ(backend.last("limn_get_url")->args[0].asString(), "http://example.org/");
}

TEST_F(LibTest, CloseCallsTheBackendEachTime) {
    Lib::close();
    Lib::close();
    EXPECT_EQ(backend.count("limn_close"), 2);
}

}  // namespace
}  // namespace limn
