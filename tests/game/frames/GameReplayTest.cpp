// The game played through limn::testing: a scripted player over a session of
// any length, recorded; the recording replayed again and again must match it
// every time, frame by frame (clock readings, sounds, frame checksums, the
// final score). Also writes the recordings kept under tests/game/replays
// (LIMN_UPDATE_REPLAYS=1), which CTest replays against the game itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Mole.h"
#include "game/burrowbop/StateTrail.h"
#include "runtime/ProcessState.h"
#include "testing.h"
#include "tests/framework/LibProbe.h"
#include "tests/game/frames/SessionFixture.h"

namespace {

using com::quillfern::burrowbop::Burrowbop;
using com::quillfern::burrowbop::StateTrail;
using limn::sdl::Session;
using limn::sdl::SessionReport;

std::shared_ptr<Burrowbop> theGame() {
    auto clip = limn::LibProbe::current();
    if (!clip || clip->limnGetNumChildren() == 0) return nullptr;
    return std::dynamic_pointer_cast<Burrowbop>(clip->getChildAt(0));
}

std::string stateNow() {
    auto game = theGame();
    return game ? game->currentState : std::string();
}

struct Played {
    SessionReport report;
    int points = 0;  // the score on the last frame
    int hits = 0;    // moles hit while recording
};

int envNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    const int n = value ? std::atoi(value) : 0;
    return n > 0 ? n : fallback;
}

// A player for `steps` frames: taps the title, hits a whackable mole every
// 20 frames, and from the result goes back to the title for another round.
// Returns the moles hit.
int play(limn::testing::Game& game, int steps) {
    int hits = 0;
    for (int i = 0; i < steps; ++i) {
        const std::string state = stateNow();
        if (state == Burrowbop::STATE_TITLE && i % 31 == 0) {
            game.tap(160, 300);
        } else if (state == Burrowbop::STATE_GAME && i % 20 == 0) {
            for (const auto& mole : theGame()->moles) {
                if (!mole->whackable) continue;
                game.tap(mole->limnGetX(), mole->limnGetY());
                ++hits;
                break;
            }
        } else if (state == Burrowbop::STATE_GAME_END && i % 93 == 0) {
            game.press(Burrowbop::PDLK_GESTURE_BACK);
        }
        game.step();
    }
    return hits;
}

class GameReplay : public burrowbop_test::GameSessionTest {
protected:
    // Plays `steps` frames with the seed and records them to `path`.
    static Played record(const std::string& path, int steps, std::uint64_t seed) {
        limn::testing::GameOptions options;
        options.seed = seed;
        options.recordTo = path;
        limn::testing::Game game([] { Burrowbop::main(); }, options);
        Played played;
        played.hits = play(game, steps);
        played.points = theGame()->points;
        played.report.frames = game.frames();
        return played;
    }
    static Played replay(const std::string& path, StateTrail* trail = nullptr) {
        rt::resetProcessState();
        limn::sdl::SessionOptions options;
        options.path = path;
        Session::replay(options);
        if (trail) Session::active()->setFrameObserver([trail](auto n) { trail->frame(n); });
        limn::sdl::registerModule();
        Burrowbop::main();
        Played played;
        played.points = theGame()->points;
        played.report = Session::end();
        rt::resetProcessState();
        return played;
    }
};

// A session replayed many times reads the same clock, plays the same sounds
// and draws the same frames every time. LIMN_DETERMINISM_FRAMES and
// LIMN_DETERMINISM_RUNS set the size (tools/check-determinism.sh: 10,000
// frames, 20 runs); by default 1,500 frames, 20 runs, and 3 runs in the
// sanitizer build, where a frame costs ten times as much.
TEST_F(GameReplay, SameRecordingReplaysIdenticallyEveryTime) {
#if defined(__SANITIZE_ADDRESS__)
    constexpr int kDefaultRuns = 3;
#else
    constexpr int kDefaultRuns = 20;
#endif
    const int frames = envNumber("LIMN_DETERMINISM_FRAMES", 1500);
    const int runs = envNumber("LIMN_DETERMINISM_RUNS", kDefaultRuns);
    const std::string path = (folder_ / "session.limnrec").string();
    const Played recorded = record(path, frames, 20261207);
    EXPECT_GT(recorded.hits, 0) << "the player hit moles";
    EXPECT_GE(recorded.report.frames, frames);
    for (int run = 1; run <= runs; ++run) {
        const Played played = replay(path);
        ASSERT_TRUE(played.report.ok())
            << "run " << run << ": " << played.report.error << " at frame "
            << played.report.divergedAt << ": " << played.report.divergence;
        ASSERT_FALSE(played.report.cutShort) << "run " << run;
        ASSERT_EQ(played.report.frames, recorded.report.frames) << "run " << run;
        ASSERT_EQ(played.points, recorded.points) << "run " << run;
    }
}

// Writes the recordings CTest replays against the game (tests/game/replays),
// when LIMN_UPDATE_REPLAYS=1; they are made by script, so they change only
// when the game does.
TEST_F(GameReplay, KeptRecordings) {
    if (!std::getenv("LIMN_UPDATE_REPLAYS")) GTEST_SKIP() << "LIMN_UPDATE_REPLAYS=1 writes them";
    const std::filesystem::path kept = GAME_REPLAYS_DIR;
    std::filesystem::create_directories(kept);
    // The logo, the title and the first seconds of a round with a few hits.
    EXPECT_GT(record((kept / "first-taps.limnrec").string(), 400, 7).hits, 0);
    // A whole round to its result and back to the title.
    EXPECT_GT(record((kept / "whole-round.limnrec").string(), 2400, 11).hits, 0);
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The kept recordings replayed show the game in the state their trails say
// (NAME.trail: state and score on every frame) and ask for the same sounds.
// The page's check replays the same recordings against the same trails, and
// page-round was recorded in the page: recordings cross between the rasters
// both ways, checked in all but their pixels where the other raster drew them.
// LIMN_UPDATE_REPLAYS=1 writes the trails of the recordings made here.
TEST_F(GameReplay, KeptRecordingsFollowTheirTrails) {
    const bool update = std::getenv("LIMN_UPDATE_REPLAYS") != nullptr;
    for (const std::string name : {"first-taps", "whole-round", "page-round"}) {
        const std::filesystem::path kept = std::filesystem::path(GAME_REPLAYS_DIR) / name;
        StateTrail trail;
        const Played played = replay(kept.string() + ".limnrec", &trail);
        EXPECT_TRUE(played.report.ok())
            << name << ": " << played.report.error << " at frame " << played.report.divergedAt
            << ": " << played.report.divergence;
        EXPECT_FALSE(played.report.cutShort) << name;
        EXPECT_EQ(played.report.pixelsChecked, name != "page-round") << name;
        const std::filesystem::path trailPath = kept.string() + ".trail";
        if (update && name != "page-round") std::ofstream(trailPath) << trail.text();
        EXPECT_EQ(trail.text(), fileText(trailPath)) << name;
    }
}

}  // namespace
