// Testing your own game headless. A game is built from display objects,
// events and timers, so a test can play it without a window, a clock or a
// sound device: a ManagedStage takes the place of the window and is fed
// events by the test, and the recording backend answers every native call,
// records it, and lets the test set the clock. The test is fast, exact and
// repeatable, and runs anywhere CTest runs.
//
// Below: a tiny game (tap the button as often as you can in ten seconds) and
// its tests. In your own project the game would live in its library and the
// tests in their own file; ctest runs this one as the test "example_testing_game".
// Run: ./build/examples/testing_game   (GoogleTest options work: --gtest_filter=...)
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "backend/recording/RecordingBackend.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Graphics.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"
#include "framework/text/TextField.h"
#include "native/EventRecord.h"

using namespace limn;

namespace {

// ---- The game ----------------------------------------------------------

class TapGame : public display::Sprite {
public:
    static constexpr int kRoundMs = 10000;

    // Made with create(): listeners need the object to be owned already.
    static std::shared_ptr<TapGame> create() {
        auto game = std::make_shared<TapGame>();
        game->build();
        return game;
    }

    int score() const { return score_; }
    bool over() const { return over_; }
    const std::shared_ptr<display::Sprite>& button() const { return button_; }
    const std::shared_ptr<text::TextField>& status() const { return status_; }

private:
    void build() {
        button_ = std::make_shared<display::Sprite>();
        button_->limnGetGraphics()->beginFill(0xE63946);
        button_->limnGetGraphics()->drawCircle(160, 240, 60);
        addChild(button_);
        status_ = std::make_shared<text::TextField>();
        status_->limnSetText("Score: 0");
        addChild(status_);
        // A weak link: the game owns the button, which must not own the game.
        std::weak_ptr<TapGame> self = std::static_pointer_cast<TapGame>(shared_from_this());
        button_->addEventListener(events::MouseEvent::CLICK, rt::function([self](rt::Dynamic) {
                                      if (auto game = self.lock()) game->tap();
                                  }));
        Timer::delay(rt::function([self] {
                         if (auto game = self.lock()) game->endRound();
                     }),
                     kRoundMs);
    }

    void tap() {
        if (over_) return;
        ++score_;
        status_->limnSetText("Score: " + std::to_string(score_));
    }

    void endRound() {
        over_ = true;
        status_->limnSetText("Time up! Score: " + std::to_string(score_));
    }

    std::shared_ptr<display::Sprite> button_;
    std::shared_ptr<text::TextField> status_;
    int score_ = 0;
    bool over_ = false;
};

// ---- Its tests ---------------------------------------------------------

// A fresh recording backend and managed stage for every test.
class TapGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &recording::RecordingBackend::install();  // registers module "limn"
        forgetStatics();
        // A display object learns its id from the backend: give it its handle's id.
        backend->answerWith("limn_display_object_get_id", [](rt::Args a) -> rt::Dynamic {
            return a.empty() ? 0 : recording::RecordingBackend::idOf(a[0]);
        });
        stage = Lib::createManagedStage(320, 480);
        // A real backend queues a pumped event and hands it back to the stage;
        // the recording one is told to hand it back at once.
        backend->answerWith("limn_managed_stage_pump_event", [this](rt::Args a) -> rt::Dynamic {
            stage->limnProcessStageEvent(a[1]);
            return {};
        });
        game = TapGame::create();
        Lib::current()->addChild(game);
    }

    void TearDown() override {
        game.reset();
        stage.reset();
        forgetStatics();
    }

    // The stage, its root clip and the running timers outlive a test otherwise.
    static void forgetStatics() {
        Lib::limnCurrent = nullptr;
        Lib::limnStage = nullptr;
        Timer::sRunningTimers.clear();
    }

    void pump(int type, int id = 0) {
        auto record = std::make_shared<native::EventRecord>();
        record->type = type;
        record->id = id;
        stage->pumpEvent(record);
    }
    // A press and release on an object, as the backend reports a click.
    void click(const std::shared_ptr<display::DisplayObject>& object) {
        pump(display::ManagedStage::etMouseDown, object->limnID);
        pump(display::ManagedStage::etMouseUp, object->limnID);
        pump(display::ManagedStage::etMouseClick, object->limnID);
    }
    // Moves the clock on; the poll then runs due timers and renders a frame.
    void waitSeconds(double seconds) {
        backend->advance(seconds);
        pump(display::ManagedStage::etPoll);
    }

    recording::RecordingBackend* backend = nullptr;
    std::shared_ptr<display::ManagedStage> stage;
    std::shared_ptr<TapGame> game;
};

TEST_F(TapGameTest, EveryTapScores) {
    for (int i = 0; i < 3; ++i) click(game->button());
    EXPECT_EQ(game->score(), 3);
    EXPECT_EQ(game->status()->limnGetText(), "Score: 3");
}

TEST_F(TapGameTest, TheRoundEndsAfterTenSecondsAndTapsNoLongerCount) {
    click(game->button());
    waitSeconds(9.9);
    EXPECT_FALSE(game->over());
    waitSeconds(0.2);
    ASSERT_TRUE(game->over());
    click(game->button());
    EXPECT_EQ(game->score(), 1);
    EXPECT_EQ(game->status()->limnGetText(), "Time up! Score: 1");
}

// The recording backend also shows what the game asked of the native side.
// Here: the button is one circle of radius 60 around (160, 240).
TEST_F(TapGameTest, TheButtonIsDrawnAsOneCircle) {
    ASSERT_EQ(backend->count("limn_gfx_draw_ellipse"), 1);
    const recording::Call* circle = backend->last("limn_gfx_draw_ellipse");
    EXPECT_EQ(circle->args[1].asFloat(), 160);  // args[0] is the drawing's handle
    EXPECT_EQ(circle->args[2].asFloat(), 240);
    EXPECT_EQ(circle->args[3].asFloat(), 60);
    EXPECT_EQ(circle->args[4].asFloat(), 60);
}

}  // namespace
