// The game played on the real backend with a hand-driven clock; rendered
// frames are read back where what the player sees matters.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "backend/base/Clock.h"
#include "backend/stage/StageInput.h"
#include "backend/stage/StageNode.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/media/SoundChannel.h"
#include "framework/text/TextField.h"
#include "game/Utils.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Mole.h"
#include "game/control/KeyBinding.h"
#include "motion/Kinetra.h"
#include "motion/actuators/SimpleActuator.h"
#include "native/EventRecord.h"
#include "runtime/ProcessState.h"
#include "runtime/Random.h"

namespace {

using com::quillfern::Utils;
using com::quillfern::burrowbop::Burrowbop;
using com::quillfern::burrowbop::Mole;
using com::quillfern::control::KeyBinding;
using limn::display::ManagedStage;
using limn::sdl::Clock;
using limn::sdl::StageInput;
using limn::sdl::StageNode;
using limn::sdl::Surface;

constexpr double kFrame = 1.0 / 31.0 + 1e-7;

void resetStatics() {
    rt::resetProcessState();
}

struct Rgb {
    int r, g, b;
};

class GameFrames : public ::testing::Test {
protected:
    void SetUp() override {
        resetStatics();
        rt::seedRandom(99);
        Clock::set(0);
        stage = limn::Lib::createManagedStage(320, 480);
        node = StageNode::from(stage->limnHandle);
        ASSERT_NE(node, nullptr);
        savedExit = Burrowbop::exitProcess;
        Burrowbop::exitProcess = [this](int status) { exits.push_back(status); };
        game = Burrowbop::create();
        limn::Lib::current()->addChild(game);
    }
    void TearDown() override {
        Burrowbop::exitProcess = savedExit;
        game.reset();
        stage.reset();
        resetStatics();
        Clock::useReal();
    }

    void frame() {
        Clock::advance(kFrame);
        auto record = std::make_shared<limn::native::EventRecord>();
        record->type = ManagedStage::etPoll;
        stage->pumpEvent(record);
    }
    void runFor(double seconds) {
        for (int i = 0, n = static_cast<int>(std::ceil(seconds * 31)); i < n; ++i) frame();
    }
    // A press and release at a stage point: the backend finds the object under it.
    void tap(double x, double y) {
        StageInput input(*node);
        input.mouseDown(x, y, 1);
        input.mouseUp(x, y, 0);
    }
    void back() {
        StageInput input(*node);
        input.key(true, Burrowbop::PDLK_GESTURE_BACK, 0, 0);
        input.key(false, Burrowbop::PDLK_GESTURE_BACK, 0, 0);
    }

    [[nodiscard]] Rgb pixel(int x, int y) const {
        auto frame = node->lastFrame();
        if (!frame) return {-1, -1, -1};
        const std::uint32_t argb = frame->row(y)[x];
        return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                static_cast<int>(argb & 0xFF)};
    }
    // Pixels of the rectangle that differ from the same pixels of `other`.
    [[nodiscard]] int changedPixels(const std::shared_ptr<Surface>& other, int x0, int y0, int w,
                                    int h) const {
        auto now = node->lastFrame();
        int changed = 0;
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) changed += now->row(y)[x] != other->row(y)[x] ? 1 : 0;
        }
        return changed;
    }
    [[nodiscard]] std::shared_ptr<Surface> copyOfFrame() const {
        auto frame = node->lastFrame();
        auto copy = Surface::create(frame->width(), frame->height(), false, 0xFF000000);
        for (int y = 0; y < frame->height(); ++y) {
            std::copy(frame->row(y), frame->row(y) + frame->width(), copy->row(y));
        }
        return copy;
    }
    [[nodiscard]] int brightPixels(int x0, int y0, int w, int h) const {
        int bright = 0;
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                const Rgb p = pixel(x, y);
                bright += (p.r > 230 && p.g > 230 && p.b > 230) ? 1 : 0;
            }
        }
        return bright;
    }

    std::shared_ptr<ManagedStage> stage;
    StageNode* node = nullptr;
    std::shared_ptr<Burrowbop> game;
    std::vector<int> exits;
    std::function<void(int)> savedExit;
};

TEST_F(GameFrames, LogoFadesInThenTitleShows) {
    frame();
    ASSERT_TRUE(node->lastFrame()) << "the managed stage renders frames";
    const Rgb start = pixel(160, 240);
    EXPECT_EQ(start.r + start.g + start.b, 3 * 255) << "the logo starts transparent on white";
    runFor(1.6);
    const Rgb logo = pixel(160, 240);
    EXPECT_NE(logo.r + logo.g + logo.b, 3 * 255) << "the logo has faded in";
    runFor(2.2);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_TITLE);
    runFor(1.2);
    const Rgb splash = pixel(160, 240);
    EXPECT_TRUE(splash.r != logo.r || splash.g != logo.g || splash.b != logo.b)
        << "the title replaced the logo";
}

TEST_F(GameFrames, TapStartsRoundAndSecondTapDoesNot) {
    runFor(4.8);
    tap(160, 300);
    ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME) << "a tap on the splash starts a round";
    const int startTime = game->startTime;
    runFor(0.3);
    tap(160, 300);
    EXPECT_EQ(game->startTime, startTime) << "the fading splash takes no second tap";
}

TEST_F(GameFrames, PressedMoleScoresAndScoreTextIsRedrawn) {
    runFor(4.8);
    tap(160, 300);
    runFor(1.2);
    const auto zero = copyOfFrame();
    EXPECT_GT(brightPixels(12, 8, 100, 22), 10) << "the score text is drawn in white";
    std::shared_ptr<Mole> mole;
    for (int i = 0; i < 31 * 30 && !mole; ++i) {
        frame();
        for (const auto& m : game->moles) {
            if (m->whackable) mole = m;
        }
    }
    ASSERT_TRUE(mole);
    frame();
    frame();
    // A corner of the invisible hit square, outside the picture.
    tap(mole->limnGetX() - 7, mole->limnGetY() - 5);
    EXPECT_EQ(game->points, mole->alphaMole ? 15 : 10) << "the whole square takes presses";
    EXPECT_FALSE(mole->whackable);
    frame();
    EXPECT_GT(changedPixels(zero, 12, 8, 100, 22), 10) << "the new score is drawn";
}

TEST_F(GameFrames, ResultPictureShowsAfterTimeUp) {
    runFor(4.8);
    tap(160, 300);
    runFor(60.5);
    game->points = 1401;
    const auto playing = copyOfFrame();
    runFor(3);
    ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME_END);
    EXPECT_GT(changedPixels(playing, 0, 100, 320, 280), 320 * 280 / 4)
        << "the result covers the field";
    EXPECT_GT(brightPixels(40, 216, 240, 60), 50) << "the score is written on the result";
    back();
    EXPECT_EQ(game->currentState, Burrowbop::STATE_TITLE);
    back();
    EXPECT_EQ(exits, std::vector<int>{0});
}

}  // namespace
