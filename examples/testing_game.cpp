// Testing your own game headless, end to end, with limn::testing. The game
// runs from its own entry point on the real backend, offscreen, with a fixed
// random seed and a clock in the test's hands: a test moves it on frame by
// frame, taps it, reads its display objects, compares a frame with a golden
// picture, and replays a recording of a session against the game as built now.
// All of it is exact and repeatable, and much faster than real time.
//
// Below: a tiny game (tap the button as often as you can in ten seconds) and
// its tests. In your own project the game lives in its library and the tests
// in their own files. CTest runs this program as the test "example_testing_game"
// and replays testing_game/taps.limnrec against it as "example_testing_game_replay"
// (limn_add_replay_test in examples/CMakeLists.txt).
//
// Run the tests:   ./build/examples/testing_game   (GoogleTest options work)
// Play the game:   ./build/examples/testing_game --play
// New goldens:     LIMN_UPDATE_GOLDENS=1 ./build/examples/testing_game
// New recording:   LIMN_UPDATE_REPLAYS=1 ./build/examples/testing_game
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "Exits.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/events/MouseEvent.h"
#include "framework/text/TextField.h"
#include "framework/text/TextFormat.h"
#include "testing.h"  // <limn/testing.h> for an installed limn

using namespace limn;

namespace {

// ---- The game ----------------------------------------------------------

class TapGame : public display::Sprite {
public:
    static constexpr int kRoundMs = 10000;
    static constexpr int kPointsPerTap = 1;

    // The game's entry point: opens the window (offscreen under a test) and
    // puts the game on the stage.
    static void main(bool withExits = false) {
        Lib::create(
            [withExits] {
                if (withExits) examples::addExits();
                Lib::current()->addChild(TapGame::create());
            },
            {.width = 320, .height = 480, .frameRate = 30.0, .flags = 0, .title = "Tap!"});
    }

    // Made with create(): listeners need the object to be owned already.
    static std::shared_ptr<TapGame> create() {
        auto game = std::make_shared<TapGame>();
        game->build();
        return game;
    }

    int score() const { return score_; }
    bool playing() const { return playing_; }

private:
    static std::shared_ptr<text::TextField> label(const std::string& name, double y,
                                                  const std::string& text) {
        auto field = std::make_shared<text::TextField>();
        field->setName(name);
        field->setDefaultTextFormat(text::TextFormat::make({.size = 22}));
        field->setX(20);
        field->setY(y);
        field->setWidth(280);
        field->setText(text);
        return field;
    }

    void build() {
        button_ = std::make_shared<display::Sprite>();
        button_->setName("button");
        button_->graphics()->beginFill(0xE63946);
        button_->graphics()->drawCircle(160, 240, 60);
        addChild(button_);
        title_ = label("title", 40, "Tap the button to start");
        addChild(title_);
        scoreText_ = label("score", 400, "");
        addChild(scoreText_);
        // A weak link: the game owns the button, which must not own the game.
        std::weak_ptr<TapGame> self = std::static_pointer_cast<TapGame>(shared_from_this());
        button_->on(events::MouseEvent::CLICK, [self] {
            if (auto game = self.lock()) game->tap();
        });
    }

    void tap() {
        if (over_) return;
        if (!playing_) return start();
        score_ += kPointsPerTap;
        scoreText_->setText("Score: " + std::to_string(score_));
    }

    void start() {
        playing_ = true;
        title_->setVisible(false);
        scoreText_->setText("Score: 0");
        std::weak_ptr<TapGame> self = std::static_pointer_cast<TapGame>(shared_from_this());
        Timer::delay(
            [self] {
                if (auto game = self.lock()) game->endRound();
            },
            kRoundMs);
    }

    void endRound() {
        over_ = true;
        playing_ = false;
        scoreText_->setText("Time up! Score: " + std::to_string(score_));
    }

    std::shared_ptr<display::Sprite> button_;
    std::shared_ptr<text::TextField> title_;
    std::shared_ptr<text::TextField> scoreText_;
    int score_ = 0;
    bool playing_ = false;
    bool over_ = false;
};

// ---- Its tests ---------------------------------------------------------

// Goldens and the recording live beside this file; failures leave
// NAME.actual.png and NAME.diff.png beside the golden.
std::string kept(const std::string& name) {
    return std::string(EXAMPLE_DATA_DIR) + "/" + name;
}

limn::testing::GameOptions options() {
    limn::testing::GameOptions options;
    options.seed = 1;
    options.goldenFolder = EXAMPLE_DATA_DIR;
    return options;
}

// A fresh game for every test, from its entry point.
class TapGameTest : public ::testing::Test {
protected:
    limn::testing::Game game_{[] { TapGame::main(); }, options()};

    std::shared_ptr<TapGame> tapGame() const { return game_.findAll<TapGame>().front(); }
    std::string scoreText() const { return game_.find<text::TextField>("score")->text(); }
};

TEST_F(TapGameTest, TheTitleShowsFirst) {
    auto title = game_.find<text::TextField>("title");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->visible());
    EXPECT_FALSE(tapGame()->playing());
    const auto match = game_.expectFrameMatches("golden/title.png", 2);
    EXPECT_TRUE(match) << match;
}

TEST_F(TapGameTest, EveryTapScoresAPoint) {
    game_.tap(160, 240);  // starts the round
    game_.step();
    for (int i = 0; i < 3; ++i) {
        game_.tap(160, 240);
        game_.step();
    }
    EXPECT_EQ(tapGame()->score(), 3);
    EXPECT_EQ(scoreText(), "Score: 3");
    const auto match = game_.expectFrameMatches("golden/three-taps.png", 2);
    EXPECT_TRUE(match) << match;
}

TEST_F(TapGameTest, ATapBesideTheButtonDoesNotScore) {
    game_.tap(160, 240);
    game_.tap(20, 460);
    game_.step();
    EXPECT_EQ(tapGame()->score(), 0);
}

TEST_F(TapGameTest, TheRoundEndsAfterTenSecondsAndTapsNoLongerCount) {
    game_.tap(160, 240);
    game_.tap(160, 240);
    game_.advance(9.9);
    EXPECT_TRUE(tapGame()->playing());
    game_.advance(0.2);
    EXPECT_EQ(scoreText(), "Time up! Score: 1");
    game_.tap(160, 240);
    game_.step();
    EXPECT_EQ(tapGame()->score(), 1);
}

// A session recorded once, replayed against the game as built now: it fails
// at the first frame the game draws differently, and leaves that frame and
// what changed in it in build/testing_game-replay/.
TEST(TapGameReplay, TheKeptSessionReplaysAsRecorded) {
    const auto replay = limn::testing::replayMatches([] { TapGame::main(); }, kept("taps.limnrec"),
                                                     "testing_game-replay");
    EXPECT_TRUE(replay) << replay;
}

// The session kept in taps.limnrec: the title, a start, five taps, the end.
TEST(TapGameReplay, KeptSession) {
    if (!std::getenv("LIMN_UPDATE_REPLAYS")) GTEST_SKIP() << "LIMN_UPDATE_REPLAYS=1 writes it";
    limn::testing::GameOptions recorded = options();
    recorded.recordTo = kept("taps.limnrec");
    limn::testing::Game game([] { TapGame::main(); }, recorded);
    game.advance(0.5);
    for (int i = 0; i < 6; ++i) {
        game.tap(160, 240);
        game.advance(0.3);
    }
    game.advance(10);
}

}  // namespace

// Played (or recorded and replayed through LIMN_RECORD / LIMN_REPLAY), this is
// the game; otherwise it runs its tests.
int main(int argc, char** argv) {
    const bool play = std::getenv("LIMN_REPLAY") || std::getenv("LIMN_RECORD") ||
                      (argc > 1 && std::string_view(argv[1]) == "--play");
    if (play) {
        sdl::registerModule();
        TapGame::main(true);
        return sdl::Session::endProcess(0);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
