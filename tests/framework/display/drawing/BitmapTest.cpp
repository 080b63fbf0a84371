#include "framework/display/Bitmap.h"

#include <gtest/gtest.h>

#include "framework/display/Graphics.h"
#include "framework/display/Sprite.h"
#include "tests/framework/display/drawing/DrawingTest.h"

namespace limn::display {
namespace {

using Args = std::vector<rt::Dynamic>;
using Names = std::vector<std::string>;

class BitmapTest : public testing::DrawingTest {
protected:
    // The calls after the ones every display object makes when it is created.
    Names drawingCalls() {
        Names names;
        for (const auto& name : backend.callNames()) {
            if (name.rfind("limn_gfx_", 0) == 0) names.push_back(name);
        }
        return names;
    }

    std::shared_ptr<BitmapData> picture(int width, int height) {
        auto bd = std::make_shared<BitmapData>(width, height);
        backend.answerWith("limn_bitmap_data_width",
                           [width](rt::Args) { return rt::Dynamic(width); });
        backend.answerWith("limn_bitmap_data_height",
                           [height](rt::Args) { return rt::Dynamic(height); });
        return bd;
    }
};

TEST_F(BitmapTest, WithoutPictureTheDrawingListIsOnlyCleared) {
    auto bitmap = std::make_shared<Bitmap>();
    EXPECT_EQ(drawingCalls(), (Names{"limn_gfx_clear"}));
    EXPECT_EQ(bitmap->limnGetBitmapData(), nullptr);
    EXPECT_EQ(backend.count("limn_create_display_object"), 1);
}

TEST_F(BitmapTest, PictureIsDrawnAsOneFilledRectangleOfItsSize) {
    auto bd = picture(30, 20);
    auto bitmap = std::make_shared<Bitmap>(bd);
    EXPECT_EQ(drawingCalls(), (Names{"limn_gfx_clear", "limn_gfx_begin_bitmap_fill",
                                     "limn_gfx_draw_rect", "limn_gfx_end_fill"}));
    rt::Dynamic g = bitmap->limnGetGraphics()->limnHandle;
    EXPECT_EQ(argsOf("limn_gfx_begin_bitmap_fill"),
              (Args{g, bd->limnHandle, rt::Dynamic(), false, false}))
        << "no matrix, no repeat, the smoothing flag";
    EXPECT_EQ(argsOf("limn_gfx_draw_rect"), (Args{g, 0, 0, 30, 20}));
    EXPECT_EQ(bitmap->limnGetBitmapData(), bd);
}

TEST_F(BitmapTest, SpriteFromAFileDrawsThePictureCentredOnItsPivot) {
    picture(30, 20);
    backend.answerWith("limn_bitmap_data_load",
                       [this](rt::Args) { return rt::Dynamic(backend.makeHandle("picture")); });
    auto sprite = Sprite::fromFile("star.png", true);
    rt::Dynamic g = sprite->graphics()->limnHandle;
    EXPECT_EQ(argsOf("limn_bitmap_data_load"), (Args{"star.png"}));
    EXPECT_EQ(argsOf("limn_gfx_draw_rect"), (Args{g, 0.0, 0.0, 30.0, 20.0}));
    EXPECT_EQ(sprite->pivotX(), 15.0);
    EXPECT_EQ(sprite->pivotY(), 10.0);
    EXPECT_EQ(argsOf("limn_gfx_begin_bitmap_fill").at(4), rt::Dynamic(true)) << "smoothed";

    backend.answerWith("limn_bitmap_data_load", [](rt::Args) { return rt::Dynamic(); });
    backend.clearCalls();
    auto missing = Sprite::fromFile("missing.png");
    EXPECT_EQ(backend.count("limn_gfx_draw_rect"), 0) << "a file that can't be read draws nothing";
}

TEST_F(BitmapTest, SmoothingReachesTheFill) {
    auto bitmap = std::make_shared<Bitmap>(picture(1, 1), PixelSnapping::NEVER, true);
    EXPECT_EQ(argsOf("limn_gfx_begin_bitmap_fill").at(4), rt::Dynamic(true));
}

TEST_F(BitmapTest, PixelSnappingIsStoredAndNeverSent) {
    auto bitmap = std::make_shared<Bitmap>(nullptr, PixelSnapping::ALWAYS);
    EXPECT_EQ(bitmap->limnGetPixelSnapping(), PixelSnapping::ALWAYS);
    EXPECT_EQ(bitmap->get("pixelSnapping"), rt::Dynamic(0));
    bitmap->set("pixelSnapping", rt::Dynamic());
    EXPECT_FALSE(bitmap->limnGetPixelSnapping().has_value());
    for (const auto& name : backend.callNames()) {
        EXPECT_EQ(name.find("snap"), std::string::npos) << name;
    }
}

TEST_F(BitmapTest, SettingBitmapDataByNameRedraws) {
    auto bitmap = std::make_shared<Bitmap>();
    auto bd = picture(8, 4);
    backend.clearCalls();
    bitmap->set("bitmapData", bd);
    EXPECT_EQ(bitmap->limnGetBitmapData(), bd);
    EXPECT_EQ(drawingCalls().size(), 4u);
    EXPECT_EQ(bitmap->get("bitmapData"), rt::Dynamic(bd));
}

TEST_F(BitmapTest, SettingNullEmptiesTheDrawingList) {
    auto bitmap = std::make_shared<Bitmap>(picture(2, 2));
    backend.clearCalls();
    EXPECT_EQ(bitmap->limnSetBitmapData(nullptr), nullptr);
    EXPECT_EQ(drawingCalls(), (Names{"limn_gfx_clear"}));
    EXPECT_EQ(bitmap->limnGetBitmapData(), nullptr);
}

TEST_F(BitmapTest, SizeIsTakenWhenThePictureIsSet) {
    auto bd = picture(10, 10);
    auto bitmap = std::make_shared<Bitmap>(bd);
    backend.answerWith("limn_bitmap_data_width", [](rt::Args) { return rt::Dynamic(50); });
    backend.clearCalls();
    bitmap->limnSetBitmapData(bd);
    EXPECT_EQ(argsOf("limn_gfx_draw_rect").at(3), rt::Dynamic(50))
        << "setting the same picture again re-reads its size";
}

TEST_F(BitmapTest, PictureWithoutSurfaceStillDrawsAnEmptyRectangle) {
    auto empty = std::make_shared<BitmapData>(0, 0);
    auto bitmap = std::make_shared<Bitmap>(empty);
    Args fill = argsOf("limn_gfx_begin_bitmap_fill");
    ASSERT_EQ(fill.size(), 5u);
    EXPECT_TRUE(fill[1].isNull());
    EXPECT_EQ(argsOf("limn_gfx_draw_rect"), (Args{fill[0], 0, 0, 0, 0}));
}

}  // namespace
}  // namespace limn::display
