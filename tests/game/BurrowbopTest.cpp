#include "game/burrowbop/Burrowbop.h"

#include "framework/text/TextField.h"
#include "tests/framework/LibProbe.h"
#include "tests/game/GameHarness.h"

namespace burrowbop_test {
namespace {

using ScreenFlow = GameTest;
using RoundPlay = GameTest;

TEST_F(ScreenFlow, MainAsksForPortraitFrameAndAddsTheGameWhenItExists) {
    limn::LibProbe::stage() = nullptr;
    Burrowbop::main();
    const auto* call = backend.last("limn_create_main_frame");
    ASSERT_NE(call, nullptr);
    auto values = call->args[0].asArray();
    ASSERT_TRUE(values && values->size() >= 4);
    EXPECT_EQ((*values)[1].asInt(), 320);
    EXPECT_EQ((*values)[2].asInt(), 480);
    EXPECT_EQ((*values)[3].asInt(), 13) << "full screen, resizable, hardware; no borderless";
    backend.answerWith("limn_get_frame_stage",
                       [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("stage"); });
    (*values)[0].asFunction()(backend.makeHandle("frame"));
    auto root = limn::Lib::current();
    ASSERT_EQ(root->children().size(), 1u);
    auto made = std::dynamic_pointer_cast<Burrowbop>(root->children().front());
    ASSERT_TRUE(made) << "the one child of the root clip is the game";
    EXPECT_EQ(made->currentState, Burrowbop::STATE_LOGO);
    EXPECT_EQ(limn::Lib::stage()->limnGetFrameRate(), 31)
        << "the game runs at 31 frames per second";
}

TEST_F(ScreenFlow, StartUpSetsStageAndShowsTransparentLogo) {
    startGame();
    EXPECT_EQ(stage->limnGetFrameRate(), 31);
    EXPECT_EQ(stage->limnGetAlign(), limn::display::StageAlign::TOP_LEFT);
    EXPECT_EQ(stage->limnGetScaleMode(), limn::display::StageScaleMode::NO_SCALE);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_LOGO);
    ASSERT_TRUE(game->Logo);
    EXPECT_EQ(game->Logo->limnGetParent(), game);
    EXPECT_DOUBLE_EQ(game->Logo->limnGetAlpha(), 0);
    EXPECT_EQ(pictureOf(game->Logo), "images/Logo.jpg");
    EXPECT_FALSE(Burrowbop::PIXI);
    EXPECT_DOUBLE_EQ(game->Logo->limnGetY(), 0);
}

TEST_F(ScreenFlow, LogoFadesInAfterDelayAndTitleFollowsAt3_5s) {
    startGame();
    runFor(0.35);
    EXPECT_DOUBLE_EQ(game->Logo->limnGetAlpha(), 0) << "the fade waits 0.4 s";
    runFor(0.6);
    const double midFade = game->Logo->limnGetAlpha();
    EXPECT_GT(midFade, 0);
    EXPECT_LT(midFade, 1);
    runUntil(0, 3.45);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_LOGO);
    runUntil(0, 3.6);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_TITLE);
    ASSERT_TRUE(game->Background && game->SplashScreen);
    EXPECT_EQ(game->getChildIndex(game->Background), 0) << "the background is the bottom child";
    EXPECT_EQ(game->getChildIndex(game->Logo), game->limnGetNumChildren() - 1)
        << "the logo stays above the splash while it fades out";
    EXPECT_EQ(pictureOf(game->SplashScreen->children().front()), "images/SplashScreen.png");
    runFor(1.2);
    EXPECT_DOUBLE_EQ(game->Logo->limnGetAlpha(), 0);
}

TEST_F(ScreenFlow, BackAndForwardDuringLogoDoNothing) {
    startGame();
    back();
    key(ManagedStage::etKeyDown, Burrowbop::PDLK_GESTURE_FORWARD);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_LOGO);
    EXPECT_TRUE(exits.empty());
}

TEST_F(ScreenFlow, TapOnSplashStartsRoundOnceAndSecondTapIsIgnored) {
    startRound();
    EXPECT_EQ(game->currentState, Burrowbop::STATE_GAME);
    EXPECT_FALSE(game->SplashScreen->limnGetMouseEnabled());
    ASSERT_TRUE(game->GameScore);
    EXPECT_EQ(game->GameScore->limnGetText(), "SCORE: 0");
    const auto* sent = backend.last("limn_display_object_set_mouse_enabled");
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->args[0], game->SplashScreen->limnHandle);
    EXPECT_FALSE(sent->args[1].asBool()) << "the backend stops routing presses to the splash";
}

TEST_F(ScreenFlow, BackOnTitleQuitsWithStatusZero) {
    startGame();
    runFor(3.6);
    back();
    EXPECT_EQ(exits, std::vector<int>{0});
}

TEST_F(ScreenFlow, BackDuringRoundReturnsToTitleWithoutResult) {
    startRound();
    runFor(5);
    back();
    EXPECT_EQ(game->currentState, Burrowbop::STATE_TITLE);
    EXPECT_FALSE(game->TimeUp) << "no result screen";
    EXPECT_EQ(whackableMoles(), 0) << "moles that were up can no longer be whacked";
    EXPECT_TRUE(game->SplashScreen->limnGetMouseEnabled());
    runFor(1.1);
    EXPECT_DOUBLE_EQ(game->GameScore->limnGetAlpha(), 0);
    EXPECT_DOUBLE_EQ(game->TimeIndicator->limnGetAlpha(), 0);
    EXPECT_DOUBLE_EQ(game->SplashScreen->limnGetAlpha(), 1);
    EXPECT_TRUE(exits.empty());
}

TEST_F(ScreenFlow, ResultThenBackToTitleThenBackQuits) {
    const double start = startRound();
    runUntil(start, 61.1);
    ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME_END);
    back();
    EXPECT_EQ(game->currentState, Burrowbop::STATE_TITLE);
    runFor(1.1);
    EXPECT_DOUBLE_EQ(game->TimeUp->limnGetAlpha(), 0) << "the result fades out";
    EXPECT_EQ(game->getChildIndex(game->Background), 0);
    EXPECT_EQ(backend.count("limn_byte_array_read_file") > 0, true);
    back();
    EXPECT_EQ(exits, std::vector<int>{0});
}

TEST_F(ScreenFlow, BackgroundIsLoadedOnceOverRounds) {
    startRound();
    back();
    clickOn(game->SplashScreen->children().front());
    back();
    int reads = 0;
    for (const auto& call : backend.callsTo("limn_byte_array_read_file")) {
        reads += call.args[0].asString() == "images/Background.jpg" ? 1 : 0;
    }
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(game->getChildIndex(game->Background), 0);
}

TEST_F(RoundPlay, NoMoleInTheFirstSecond) {
    const double start = startRound();
    runUntil(start, 1.0);
    EXPECT_TRUE(game->moles.empty());
    EXPECT_EQ(backend.count("limn_doc_add_child") > 0, true);
}

TEST_F(RoundPlay, MolesComeUpAtFreeHolesNeverMoreThanFiveWhackable) {
    const double start = startRound();
    int most = 0;
    bool sawMole = false;
    while (backend.time() < start + 60.9) {
        frame();
        most = std::max(most, whackableMoles());
        sawMole = sawMole || !game->moles.empty();
        std::vector<int> holes;
        for (const auto& mole : game->moles) holes.push_back(mole->position);
        std::sort(holes.begin(), holes.end());
        ASSERT_EQ(std::adjacent_find(holes.begin(), holes.end()), holes.end())
            << "two moles in one hole";
        ASSERT_EQ(game->positionStatus.size(), game->moles.size());
    }
    EXPECT_TRUE(sawMole);
    EXPECT_LE(most, 5);
    EXPECT_EQ(most, 5) << "late in the round the limit is reached";
}

TEST_F(RoundPlay, PressOnMoleScoresOnceAndUpdatesText) {
    const double start = startRound();
    while (!firstWhackable() && backend.time() < start + 30) frame();
    auto mole = firstWhackable();
    ASSERT_TRUE(mole);
    const int channelsBefore = backend.count("limn_sound_channel_create");
    pressOn(mole->Graphic);
    const int expected = mole->alphaMole ? 15 : 10;
    EXPECT_EQ(game->points, expected);
    EXPECT_EQ(game->GameScore->limnGetText(), "SCORE: " + std::to_string(expected));
    EXPECT_EQ(backend.count("limn_sound_channel_create"), channelsBefore + 1) << "one squeak";
    EXPECT_FALSE(mole->whackable);
    ASSERT_TRUE(mole->Cloud);
    EXPECT_FALSE(mole->Graphic->limnGetVisible());
    pressOn(mole);
    EXPECT_EQ(game->points, expected) << "a second press adds nothing";
    EXPECT_EQ(backend.count("limn_sound_channel_create"), channelsBefore + 1);
}

TEST_F(RoundPlay, PressOnHidingMoleAddsNothing) {
    const double start = startRound();
    while (!firstWhackable() && backend.time() < start + 30) frame();
    auto mole = firstWhackable();
    ASSERT_TRUE(mole);
    while (mole->whackable) frame();
    pressOn(mole);
    EXPECT_EQ(game->points, 0);
}

TEST_F(RoundPlay, DoneMolesLeaveTheDisplayListAndFreeTheirHoles) {
    const double start = startRound();
    while (!firstWhackable() && backend.time() < start + 30) frame();
    auto mole = firstWhackable();
    ASSERT_TRUE(mole);
    frames(125);
    EXPECT_TRUE(mole->destroy);
    EXPECT_FALSE(mole->limnGetParent()) << "a done mole is taken off the display list";
    EXPECT_EQ(std::find(game->moles.begin(), game->moles.end(), mole), game->moles.end());
}

TEST_F(RoundPlay, TimeBarGrowsWithSecondsAndRoundEndsAt61) {
    const double start = startRound();
    runUntil(start, 60.95);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_GAME);
    runUntil(start, 61.05);
    EXPECT_EQ(game->currentState, Burrowbop::STATE_GAME_END);
    const auto bar = game->TimeIndicator->limnGetGraphics()->limnHandle;
    std::vector<double> widths;
    for (const auto& call : backend.callsTo("limn_gfx_draw_rect")) {
        if (call.args[0] == bar) widths.push_back(call.args[3].asFloat());
    }
    ASSERT_GE(widths.size(), 2u);
    EXPECT_DOUBLE_EQ(widths[widths.size() - 2], 64) << "the black bar";
    EXPECT_NEAR(widths.back(), 61, 0.05) << "the white fill is as wide as the seconds";
}

class ResultPicture : public GameTest,
                      public ::testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(ResultPicture, ChosenByStrictScoreBounds) {
    const auto [points, picture] = GetParam();
    const double start = startRound();
    runUntil(start, 60.9);
    game->points = points;
    while (game->currentState == Burrowbop::STATE_GAME && backend.time() < start + 62) frame();
    ASSERT_EQ(game->currentState, Burrowbop::STATE_GAME_END);
    ASSERT_TRUE(game->TimeUp && game->TimeUpScore);
    EXPECT_EQ(pictureOf(game->TimeUp->children().front()), picture);
    EXPECT_EQ(game->TimeUpScore->limnGetText(), std::to_string(points) + " points");
    EXPECT_EQ(game->TimeUpScore->limnGetParent(), game->TimeUp);
    EXPECT_DOUBLE_EQ(game->TimeUp->limnGetAlpha(), 0);
    runFor(2.1);
    EXPECT_DOUBLE_EQ(game->TimeUp->limnGetAlpha(), 1);
}

INSTANTIATE_TEST_SUITE_P(Bounds, ResultPicture,
                         ::testing::Values(std::make_pair(1401, "images/TimeUp_AA.png"),
                                           std::make_pair(1400, "images/TimeUp_A.png"),
                                           std::make_pair(1201, "images/TimeUp_A.png"),
                                           std::make_pair(1200, "images/TimeUp_B.png"),
                                           std::make_pair(901, "images/TimeUp_B.png"),
                                           std::make_pair(900, "images/TimeUp_C.png"),
                                           std::make_pair(0, "images/TimeUp_C.png")));

TEST_F(RoundPlay, SecondRoundStartsAtZeroWithFreshHolesAndNoLeftovers) {
    const double start = startRound();
    runUntil(start, 20);
    back();
    ASSERT_FALSE(game->moles.empty()) << "moles were up when the round stopped";
    clickOn(game->SplashScreen->children().front());
    EXPECT_EQ(game->GameScore->limnGetText(), "SCORE: 0");
    EXPECT_TRUE(game->moles.empty()) << "leftover moles are dropped at round start";
    EXPECT_TRUE(game->positionStatus.empty());
    for (const auto& child : game->children()) {
        EXPECT_FALSE(std::dynamic_pointer_cast<Mole>(child)) << "no leftover mole on the list";
    }
}

TEST_F(RoundPlay, GetPositionGivesUpWhenAllHolesAreTaken) {
    startGame();
    for (int i = 0; i < 23; ++i) game->positionStatus[std::to_string(i)] = true;
    EXPECT_EQ(game->getPosition(), -1);
    game->positionStatus.erase("7");
    int found = -2;
    for (int tries = 0; tries < 50 && found != 7; ++tries) found = game->getPosition();
    EXPECT_TRUE(found == 7 || found == -1);
}

class ShortScreen : public GameTest {
protected:
    double stageHeight() const override { return 400; }
};

TEST_F(ShortScreen, LogoIsDrawnEightyPixelsHigher) {
    startGame();
    EXPECT_TRUE(Burrowbop::PIXI);
    EXPECT_DOUBLE_EQ(game->Logo->limnGetY(), -80);
}

}  // namespace
}  // namespace burrowbop_test
