#include "framework/display/Tilesheet.h"

#include <gtest/gtest.h>

#include "tests/framework/display/drawing/DrawingTest.h"

namespace limn::display {
namespace {

using Args = std::vector<rt::Dynamic>;

class TilesheetTest : public testing::DrawingTest {};

TEST_F(TilesheetTest, KeepsItsPictureAndRegistersItsSurface) {
    auto picture = std::make_shared<BitmapData>(16, 16);
    Tilesheet sheet(picture);
    EXPECT_EQ(sheet.limnGetBitmap(), picture);
    EXPECT_EQ(argsOf("limn_tilesheet_create"), (Args{picture->limnHandle}));
    EXPECT_FALSE(sheet.limnHandle.isNull());
}

TEST_F(TilesheetTest, PictureWithoutSurfaceSendsANullHandle) {
    Tilesheet sheet(std::make_shared<BitmapData>(0, 0));
    EXPECT_TRUE(argsOf("limn_tilesheet_create").at(0).isNull());
}

TEST_F(TilesheetTest, EachTileRectIsOneCallInOrder) {
    Tilesheet sheet(std::make_shared<BitmapData>(16, 16));
    backend.clearCalls();
    std::vector<std::shared_ptr<geom::Rectangle>> rects;
    for (int i = 0; i < 3; ++i) {
        rects.push_back(std::make_shared<geom::Rectangle>(i * 4, 0, 4, 4));
        sheet.addTileRect(rects.back());
    }
    auto calls = backend.callsTo("limn_tilesheet_add_rect");
    ASSERT_EQ(calls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(calls[i].args, (Args{sheet.limnHandle, rects[i]})) << "tile " << i;
    }
}

}  // namespace
}  // namespace limn::display
