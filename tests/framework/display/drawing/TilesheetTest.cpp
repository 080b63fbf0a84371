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

}  // namespace
}  // namespace limn::display
