// The game played through scripted input on the real backend offscreen and
// recorded, then replayed from the recording alone: the same score, the same
// sound requests, every frame's checksum and the frames captured at chosen
// times identical.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "backend/base/Clock.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Mole.h"
#include "runtime/ProcessState.h"
#include "tests/framework/LibProbe.h"
#include "tests/game/frames/SessionFixture.h"

namespace {

using com::quillfern::burrowbop::Burrowbop;
using limn::sdl::Clock;
using limn::sdl::MainFrame;
using limn::sdl::Session;
using limn::sdl::SessionOptions;
using limn::sdl::SessionReport;

constexpr double kFrame = 1.0 / 60.0 + 1e-6;

void resetGame() {
    rt::resetProcessState();
}

std::shared_ptr<Burrowbop> theGame() {
    return std::dynamic_pointer_cast<Burrowbop>(limn::Lib::current()->getChildAt(0));
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The game's state, or "" while its clip is not up yet.
std::string stateNow() {
    auto clip = limn::LibProbe::current();
    if (!clip || clip->limnGetNumChildren() == 0) return {};
    auto game = theGame();
    return game ? game->currentState : std::string();
}

// A player: waits for the title, taps it, hits a mole now and then, and after
// the result goes back to the title. It follows the game's state rather than
// the time, so a busy machine that renders fewer frames plays the same way.
void play(MainFrame& frame) {
    Clock::set(0);
    auto& input = frame.input();
    auto tap = [&](double x, double y) {
        input.mouseMove(x, y, 0);
        input.mouseDown(x, y, 1);
        input.mouseUp(x, y, 0);
    };
    auto step = [&] {
        Clock::advance(kFrame);
        input.poll();
    };
    auto frames = [&](double seconds) {
        for (int i = 0, n = static_cast<int>(seconds * 60); i < n; ++i) step();
    };
    for (int i = 0; i < 30 * 60 && stateNow() != Burrowbop::STATE_TITLE; ++i) step();
    frames(0.5);
    for (int i = 0; i < 10 && stateNow() == Burrowbop::STATE_TITLE; ++i) {
        tap(160, 300);
        frames(0.5);
    }
    int hits = 0;
    for (int i = 0; i < 80 * 60 && stateNow() == Burrowbop::STATE_GAME; ++i) {
        step();
        if (i % 20 != 0 || hits >= 12) continue;
        for (const auto& mole : theGame()->moles) {
            if (!mole->whackable) continue;
            tap(mole->limnGetX(), mole->limnGetY());
            ++hits;
            break;
        }
    }
    frames(3);
    input.key(true, Burrowbop::PDLK_GESTURE_BACK, 0, 0);
    input.key(false, Burrowbop::PDLK_GESTURE_BACK, 0, 0);
    frames(0.5);
}

class ReplayProof : public burrowbop_test::GameSessionTest {
protected:
    // Runs the game from its entry point under the session `start` began.
    struct Run {
        SessionReport report;
        int points = 0;
        std::string state;
    };
    Run run(SessionOptions options, bool record) {
        resetGame();
        options.path = (folder_ / "play.limnrec").string();
        options.captureTimes = {2.0, 6.0, 20.0, 45.0, 66.0};
        options.captureFolder = (folder_ / (record ? "recorded" : "replayed")).string();
        if (record) {
            options.driver = play;
            Session::record(std::move(options));
        } else {
            Session::replay(std::move(options));
        }
        limn::sdl::registerModule();
        Burrowbop::main();
        Run result;
        result.points = theGame()->points;
        result.state = theGame()->currentState;
        result.report = Session::end();
        return result;
    }
};

TEST_F(ReplayProof, RecordedGameReplaysToTheSameScoreSoundsAndFrames) {
    const Run recorded = run({}, true);
    ASSERT_EQ(recorded.report.error, "");
    EXPECT_EQ(recorded.state, Burrowbop::STATE_TITLE) << "the player went back to the title";
    EXPECT_GT(recorded.points, 0) << "the player hit moles";
    EXPECT_GT(recorded.report.frames, 60 * 30) << "the whole round was played";
    EXPECT_GT(recorded.report.sounds.size(), 3u);
    ASSERT_EQ(recorded.report.captured.size(), 5u);

    const Run replayed = run({}, false);
    EXPECT_TRUE(replayed.report.ok())
        << replayed.report.error << " at frame " << replayed.report.divergedAt << ": "
        << replayed.report.divergence;
    EXPECT_FALSE(replayed.report.cutShort);
    EXPECT_EQ(replayed.points, recorded.points);
    EXPECT_EQ(replayed.state, recorded.state);
    EXPECT_EQ(replayed.report.frames, recorded.report.frames);
    EXPECT_EQ(replayed.report.sounds, recorded.report.sounds);
    ASSERT_EQ(replayed.report.captured.size(), recorded.report.captured.size());
    for (std::size_t i = 0; i < recorded.report.captured.size(); ++i) {
        const std::string picture = fileBytes(recorded.report.captured[i]);
        EXPECT_GT(picture.size(), 1000u);
        EXPECT_EQ(fileBytes(replayed.report.captured[i]), picture)
            << recorded.report.captured[i] << " and its replay differ";
    }
}

}  // namespace
