#include "game/burrowbop/Mole.h"

#include "tests/game/GameHarness.h"

namespace burrowbop_test {
namespace {

class MoleTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        limn::Lib::current();  // the tween engine listens on the stage
    }

    std::shared_ptr<Mole> moleOfKind(bool alpha) {
        for (int i = 0; i < 200; ++i) {
            auto mole = Mole::create();
            if (mole->alphaMole == alpha) return mole;
        }
        return nullptr;
    }

    // Steps until the first step that sets `destroy`; returns its number.
    static int stepsUntilDone(Mole& mole) {
        while (!mole.destroy && mole.currentFrame < 1000) mole.step();
        return mole.currentFrame;
    }
    static int stepsUntilHidden(Mole& mole) {
        while (mole.whackable && mole.currentFrame < 1000) mole.step();
        return mole.currentFrame;
    }
};

TEST_F(MoleTest, NewMoleIsWhackableWithTransparentPictureAndHitSquare) {
    auto mole = Mole::create();
    EXPECT_TRUE(mole->whackable);
    EXPECT_FALSE(mole->destroy);
    EXPECT_EQ(mole->currentFrame, 0);
    ASSERT_TRUE(mole->Graphic);
    EXPECT_EQ(mole->Graphic->limnGetParent(), mole);
    EXPECT_DOUBLE_EQ(mole->Graphic->limnGetAlpha(), 0);
    const auto square = mole->limnGetGraphics()->limnHandle;
    bool drewSquare = false;
    for (const auto& call : backend.callsTo("limn_gfx_draw_rect")) {
        if (call.args[0] == square) {
            drewSquare = call.args[1].asFloat() == -8 && call.args[2].asFloat() == -6 &&
                         call.args[3].asFloat() == 50 && call.args[4].asFloat() == 50;
        }
    }
    EXPECT_TRUE(drewSquare) << "the hit area is the 50 x 50 square at (-8, -6)";
    const auto* fill = backend.last("limn_gfx_begin_fill");
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->args[1].asInt(), 0);
    EXPECT_DOUBLE_EQ(fill->args[2].asFloat(), 0) << "the square is fully transparent";
}

TEST_F(MoleTest, PictureFadesInOverFourTenths) {
    auto mole = Mole::create();
    frames(6);
    EXPECT_GT(mole->Graphic->limnGetAlpha(), 0);
    frames(8);
    EXPECT_DOUBLE_EQ(mole->Graphic->limnGetAlpha(), 1);
}

TEST_F(MoleTest, AboutOneInFiveIsAlphaWithItsOwnPicture) {
    int alphas = 0;
    const int total = 1000;
    for (int i = 0; i < total; ++i) {
        auto mole = Mole::create();
        alphas += mole->alphaMole ? 1 : 0;
        EXPECT_EQ(pictureOf(mole->Graphic),
                  mole->alphaMole ? "images/Mole.png" : "images/Mole2.png");
    }
    EXPECT_NEAR(alphas, total / 5, 50);
}

TEST_F(MoleTest, CommonMoleHidesAt70AndIsDoneAt120) {
    auto mole = moleOfKind(false);
    ASSERT_TRUE(mole);
    for (int i = 0; i < 69; ++i) mole->step();
    EXPECT_TRUE(mole->whackable) << "only currentFrame changes before the hide frame";
    EXPECT_EQ(stepsUntilHidden(*mole), 70);
    EXPECT_EQ(stepsUntilDone(*mole), 120);
    mole->step();
    EXPECT_TRUE(mole->destroy) << "destroy stays set";
}

TEST_F(MoleTest, AlphaMoleHidesAt50AndIsDoneAt100) {
    auto mole = moleOfKind(true);
    ASSERT_TRUE(mole);
    EXPECT_EQ(stepsUntilHidden(*mole), 50);
    EXPECT_EQ(stepsUntilDone(*mole), 100);
}

TEST_F(MoleTest, WhackedMoleShowsCloudThatFadesInOneSecond) {
    auto mole = Mole::create();
    frames(14);
    mole->hide(true);
    EXPECT_FALSE(mole->whackable);
    ASSERT_TRUE(mole->Cloud);
    EXPECT_EQ(pictureOf(mole->Cloud), "images/Cloud.png");
    EXPECT_DOUBLE_EQ(mole->Cloud->limnGetX(), -17);
    EXPECT_DOUBLE_EQ(mole->Cloud->limnGetY(), -4);
    EXPECT_EQ(mole->getChildIndex(mole->Cloud), 1) << "the cloud is above the picture";
    EXPECT_FALSE(mole->Graphic->limnGetVisible());
    frames(3);
    const double early = mole->Cloud->limnGetAlpha();
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 1);
    runFor(1.0);
    EXPECT_DOUBLE_EQ(mole->Cloud->limnGetAlpha(), 0);
}

TEST_F(MoleTest, PlainHideFadesPictureWithoutCloud) {
    auto mole = Mole::create();
    frames(14);
    mole->hide();
    EXPECT_FALSE(mole->whackable);
    EXPECT_FALSE(mole->Cloud);
    runFor(0.45);
    EXPECT_DOUBLE_EQ(mole->Graphic->limnGetAlpha(), 0);
}

TEST_F(MoleTest, WhackedMoleKeepsCountingToTheSameDoneFrame) {
    auto mole = moleOfKind(false);
    ASSERT_TRUE(mole);
    for (int i = 0; i < 10; ++i) mole->step();
    mole->hide(true);
    EXPECT_EQ(stepsUntilDone(*mole), 120);
}

TEST_F(MoleTest, FieldsAndHideAreReachableByName) {
    auto mole = Mole::create();
    rt::ObjectPtr object = mole;
    EXPECT_EQ(object->get("whackable"), rt::Dynamic(true));
    EXPECT_EQ(object->get("alphaMole"), rt::Dynamic(mole->alphaMole));
    const rt::Dynamic whacked[] = {true};
    object->callMethod("hide", whacked);
    EXPECT_FALSE(mole->whackable);
    EXPECT_TRUE(mole->Cloud);
    auto other = Mole::create();
    rt::ObjectPtr plain = other;
    plain->callMethod("hide");
    EXPECT_FALSE(other->whackable);
    EXPECT_FALSE(other->Cloud) << "an absent argument means not whacked";
}

}  // namespace
}  // namespace burrowbop_test
