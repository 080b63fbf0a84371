// limn::testing::Game on a small program of its own: a 100 x 80 stage at 30
// frames per second with a red box that counts clicks, plays a sound when
// clicked and follows a pressed pointer.
#include "backend/testing/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "framework/Lib.h"
#include "framework/display/Graphics.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/events/MouseEvent.h"
#include "framework/media/Sound.h"
#include "framework/net/URLRequest.h"
#include "tests/backend/MediaFiles.h"

namespace limn::testing {
namespace {

struct Box {
    static inline int clicks = 0;
    static inline int frames = 0;
    static inline int colour = 0xE63946;
    static inline std::string sound;
};

void boxProgram() {
    Lib::create(
        rt::function([] {
            auto box = std::make_shared<display::Sprite>();
            box->limnSetName("box");
            box->limnGetGraphics()->beginFill(Box::colour);
            box->limnGetGraphics()->drawRect(0, 0, 20, 20);
            box->limnSetX(10);
            box->limnSetY(10);
            Lib::current()->addChild(box);
            auto chime =
                std::make_shared<media::Sound>(std::make_shared<net::URLRequest>(Box::sound));
            std::weak_ptr<display::Sprite> weak = box;
            box->addEventListener(events::MouseEvent::CLICK, rt::function([chime](rt::Dynamic) {
                                      ++Box::clicks;
                                      (void)chime->play();
                                  }));
            Lib::current()->addEventListener(events::Event::ENTER_FRAME,
                                             rt::function([](rt::Dynamic) { ++Box::frames; }));
            Lib::stage()->addEventListener(
                events::MouseEvent::MOUSE_MOVE,
                rt::function([weak](const std::shared_ptr<events::MouseEvent>& move) {
                    auto b = weak.lock();
                    if (!b || !move || !move->buttonDown) return;
                    b->limnSetX(move->stageX - 10);
                    b->limnSetY(move->stageY - 10);
                }));
        }),
        100, 80, 30.0, 0xFFFFFF, 0, "box");
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        Box::clicks = Box::frames = 0;
        Box::colour = 0xE63946;
        Box::sound = media_.write("chime.wav", makeWav(0.05));
        options_.goldenFolder = media_.file("golden");
    }
    void TearDown() override { unsetenv("LIMN_UPDATE_GOLDENS"); }

    TempDir media_;
    GameOptions options_;
};

TEST_F(GameTest, StepsAndSecondsMoveTheProgramsClockOnly) {
    Game game(boxProgram, options_);
    const int first = Box::frames;
    EXPECT_DOUBLE_EQ(game.framePeriod(), 1.0 / 30.0);
    game.step(5);
    EXPECT_EQ(Box::frames, first + 5);
    const double before = game.time();
    game.advance(1.0);
    EXPECT_GE(game.time() - before, 1.0);
    EXPECT_LT(game.time() - before, 1.0 + game.framePeriod());
    EXPECT_EQ(Box::frames, first + 5 + 30);
}

TEST_F(GameTest, TapsReachWhatIsUnderThemAndSoundsAreListedUntilTheNextStep) {
    Game game(boxProgram, options_);
    game.tap(50, 50);
    EXPECT_EQ(Box::clicks, 0);
    EXPECT_TRUE(game.sounds().empty());
    game.tap(15, 15);
    EXPECT_EQ(Box::clicks, 1);
    ASSERT_EQ(game.sounds().size(), 1u);
    EXPECT_EQ(game.sounds()[0].name, Box::sound);
    game.step();
    EXPECT_TRUE(game.sounds().empty());
}

TEST_F(GameTest, ObjectsAreFoundByNameAndType) {
    Game game(boxProgram, options_);
    auto box = game.find<display::Sprite>("box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->limnGetX(), 10);
    EXPECT_EQ(game.find("nothing"), nullptr);
    EXPECT_EQ(game.findAll<display::Sprite>().size(), 2u) << "the box and the root clip";
    EXPECT_EQ(game.findAll<display::MovieClip>().size(), 1u) << "the root clip";
}

TEST_F(GameTest, DragsMoveThePointerWithTheButtonDown) {
    Game game(boxProgram, options_);
    game.drag(20, 20, 60, 50, 4);
    auto box = game.find("box");
    EXPECT_EQ(box->limnGetX(), 50);
    EXPECT_EQ(box->limnGetY(), 40);
}

TEST_F(GameTest, ResizeScalesTheFramesToTheWindow) {
    Game game(boxProgram, options_);
    EXPECT_EQ(game.snapshot().width, 100);
    game.resize(200, 400);
    game.step();
    const Picture frame = game.snapshot();
    EXPECT_EQ(frame.width, 200);
    EXPECT_EQ(frame.height, 160);
}

TEST_F(GameTest, GoldenFramesAreWrittenComparedAndExplained) {
    const std::filesystem::path golden = options_.goldenFolder;
    {
        Game game(boxProgram, options_);
        const FrameCheck missing = game.expectFrameMatches("box.png");
        EXPECT_FALSE(missing);
        EXPECT_NE(missing.message().find("no golden picture"), std::string::npos) << missing;
        EXPECT_TRUE(std::filesystem::exists(golden / "box.actual.png"));
        setenv("LIMN_UPDATE_GOLDENS", "1", 1);
        EXPECT_TRUE(game.expectFrameMatches("box.png"));
        unsetenv("LIMN_UPDATE_GOLDENS");
        const FrameCheck same = game.expectFrameMatches("box.png");
        EXPECT_TRUE(same) << same;
    }
    Box::colour = 0xE63948;  // off by 2 in blue
    {
        Game game(boxProgram, options_);
        EXPECT_TRUE(game.expectFrameMatches("box.png", 2));
        const FrameCheck strict = game.expectFrameMatches("box.png", 1);
        EXPECT_FALSE(strict);
        EXPECT_NE(strict.message().find("400 pixels off by more than 1 (at most 2), the first at "
                                        "(10, 10)"),
                  std::string::npos)
            << strict;
        const auto diff = Picture::load((golden / "box.diff.png").string());
        ASSERT_TRUE(diff.has_value());
        EXPECT_EQ(diff->at(10, 10), 0xFFFF0000u) << "a differing pixel is red";
        EXPECT_NE(diff->at(50, 50), 0xFFFF0000u);
    }
}

TEST_F(GameTest, TheEnvironmentIsLeftAsItWas) {
    const char* video = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = video ? video : "";
    unsetenv("SDL_VIDEODRIVER");
    { Game game(boxProgram, options_); }
    EXPECT_EQ(std::getenv("SDL_VIDEODRIVER"), nullptr);
    if (!saved.empty()) setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
}

}  // namespace
}  // namespace limn::testing
