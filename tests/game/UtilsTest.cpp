#include "game/Utils.h"

#include <gtest/gtest.h>

#include "framework/display/Bitmap.h"
#include "framework/display/Sprite.h"
#include "tests/support/BackendTest.h"

namespace {

using com::quillfern::Utils;
using limn::display::Bitmap;
using limn::display::Sprite;

class UtilsLoadGraphic : public limn::testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        Utils::loadGraphicCache.clear();
        backend.answerWith("limn_byte_array_read_file",
                           [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("file"); });
        backend.answerWith("limn_bitmap_data_from_bytes", [this](rt::Args) -> rt::Dynamic {
            return backend.makeHandle("surface");
        });
    }
    void TearDown() override { Utils::loadGraphicCache.clear(); }
};

TEST_F(UtilsLoadGraphic, CachedPathGivesNewBitmapsSharingOneImage) {
    auto first = std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/Mole.png"));
    auto second = std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/Mole.png"));
    ASSERT_TRUE(first && second) << "plain loads give bitmaps";
    EXPECT_NE(first, second);
    EXPECT_EQ(first->limnGetBitmapData(), second->limnGetBitmapData());
    EXPECT_EQ(backend.count("limn_byte_array_read_file"), 1) << "the file is read once";
    EXPECT_EQ(backend.count("limn_bitmap_data_from_bytes"), 1) << "the file is decoded once";
}

TEST_F(UtilsLoadGraphic, PictureThatDoesNotLoadIsNamedWithTheReason) {
    backend.answerWith("limn_bitmap_data_from_bytes", [](rt::Args) -> rt::Dynamic { return {}; });
    backend.answerWith("limn_byte_array_get_length", [](rt::Args) -> rt::Dynamic { return 7; });
    ::testing::internal::CaptureStderr();
    auto damaged = std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/Mole.png"));
    backend.answerWith("limn_byte_array_read_file", [](rt::Args) -> rt::Dynamic { return {}; });
    Utils::loadGraphic("images/Gone.png");
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(damaged) << "still a bitmap, blank as before";
    EXPECT_NE(said.find("limn: picture \"images/Mole.png\" not loaded: it is not a PNG"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("\"images/Gone.png\" not loaded: the file is missing"), std::string::npos)
        << said;
}

TEST_F(UtilsLoadGraphic, PathsAreCachedByExactText) {
    Utils::loadGraphic("images/Mole.png");
    Utils::loadGraphic("images/./Mole.png");
    EXPECT_EQ(backend.count("limn_byte_array_read_file"), 2);
    EXPECT_EQ(Utils::loadGraphicCache.size(), 2u);
}

TEST_F(UtilsLoadGraphic, WrappedGivesSpriteWithOneBitmapChild) {
    auto sprite = std::dynamic_pointer_cast<Sprite>(Utils::loadGraphic("images/Splash.png", true));
    ASSERT_TRUE(sprite);
    ASSERT_EQ(sprite->children().size(), 1u);
    EXPECT_TRUE(std::dynamic_pointer_cast<Bitmap>(sprite->children()[0]));
}

TEST_F(UtilsLoadGraphic, WithoutCacheDecodesEveryCallAndLeavesCacheAlone) {
    auto a =
        std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/Cloud.png", false, false));
    auto b =
        std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/Cloud.png", false, false));
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->limnGetBitmapData(), b->limnGetBitmapData());
    EXPECT_EQ(backend.count("limn_byte_array_read_file"), 2);
    EXPECT_TRUE(Utils::loadGraphicCache.empty());
}

TEST_F(UtilsLoadGraphic, FailedDecodeIsCachedAndNotRetried) {
    backend.clearAnswers("limn_bitmap_data_from_bytes");
    auto first = std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/missing.png"));
    auto second = std::dynamic_pointer_cast<Bitmap>(Utils::loadGraphic("images/missing.png"));
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->limnGetBitmapData());
    EXPECT_TRUE(first->limnGetBitmapData()->limnHandle.isNull());
    EXPECT_EQ(first->limnGetBitmapData(), second->limnGetBitmapData());
    EXPECT_EQ(backend.count("limn_byte_array_read_file"), 1);
}

TEST(UtilsAddIncrement, MovesByRatioAtLeastMinimumNeverPast) {
    EXPECT_DOUBLE_EQ(Utils::addIncrement(0, 10, 0.5), 5);
    EXPECT_DOUBLE_EQ(Utils::addIncrement(0, 10, 0.01, 1), 1);
    EXPECT_DOUBLE_EQ(Utils::addIncrement(9.5, 10, 0.01, 1), 10);
    EXPECT_DOUBLE_EQ(Utils::addIncrement(10, 0, 0.01, 1), 9);
    EXPECT_DOUBLE_EQ(Utils::addIncrement(3, 3, 0.5, 1), 3);
}

TEST(UtilsAddIncrement, DownwardStepStopsAtTarget) {
    EXPECT_DOUBLE_EQ(Utils::addIncrement(0.5, 0, 0.01, 1), 0);
    EXPECT_DOUBLE_EQ(Utils::addIncrement(-2, -10, 0.25), -4);
}

TEST(UtilsConvertTimeToString, RoundsToNearestSecondHalvesUp) {
    EXPECT_EQ(Utils::convertTimeToString(0), "00:00");
    EXPECT_EQ(Utils::convertTimeToString(499), "00:00");
    EXPECT_EQ(Utils::convertTimeToString(500), "00:01");
    EXPECT_EQ(Utils::convertTimeToString(65000), "01:05");
    EXPECT_EQ(Utils::convertTimeToString(599499), "09:59");
    EXPECT_EQ(Utils::convertTimeToString(600500), "10:01");
}

TEST(UtilsConvertTimeToString, MinutesAreNotLimitedToTwoDigits) {
    EXPECT_EQ(Utils::convertTimeToString(6000000), "100:00");
    EXPECT_EQ(Utils::convertTimeToString(2147483647), "35791:24");
}

}  // namespace
