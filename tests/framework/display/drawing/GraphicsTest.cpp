#include "framework/display/Graphics.h"

#include <gtest/gtest.h>

#include "framework/display/BitmapData.h"
#include "framework/display/IGraphicsData.h"
#include "framework/display/Tilesheet.h"
#include "runtime/Error.h"
#include "tests/framework/display/drawing/DrawingTest.h"

namespace limn::display {
namespace {

using Args = std::vector<rt::Dynamic>;

class GraphicsTest : public testing::DrawingTest {
protected:
    rt::Handle handle = backend.makeHandle("limn_display_object_get_graphics");
    Graphics g{rt::Dynamic(handle)};
};

TEST_F(GraphicsTest, GradientWithoutMatrixGetsACentredBox) {
    auto colors = rt::array({0xFF0000, 0x0000FF});
    auto alphas = rt::array({1, 1});
    auto ratios = rt::array({0, 255});
    g.beginGradientFill(GradientType::LINEAR, colors, alphas, ratios);

    Args args = argsOf("limn_gfx_begin_gradient_fill");
    ASSERT_EQ(args.size(), 9u);
    EXPECT_EQ(args[1], rt::Dynamic(1));
    EXPECT_EQ(args[2], rt::Dynamic(colors)) << "the arrays pass unchanged";
    EXPECT_EQ(args[3], rt::Dynamic(alphas));
    EXPECT_EQ(args[4], rt::Dynamic(ratios));
    auto m = args[5].as<geom::Matrix>();
    ASSERT_NE(m, nullptr);
    geom::Matrix expected;
    expected.createGradientBox(200, 200, std::nullopt, -100.0, -100.0);
    EXPECT_DOUBLE_EQ(m->a, expected.a);
    EXPECT_DOUBLE_EQ(m->d, expected.d);
    EXPECT_DOUBLE_EQ(m->tx, 0.0);
    EXPECT_DOUBLE_EQ(m->ty, 0.0);
    EXPECT_EQ((Args{args[6], args[7], args[8]}), (Args{0, 0, 0.0}));
}

TEST_F(GraphicsTest, GradientKeepsAGivenMatrixAndSendsIndices) {
    auto m = std::make_shared<geom::Matrix>(2, 0, 0, 2, 5, 5);
    g.beginGradientFill(GradientType::RADIAL, rt::array(), rt::array(), rt::array(), m,
                        SpreadMethod::REFLECT, InterpolationMethod::LINEAR_RGB, 0.5);
    Args args = argsOf("limn_gfx_begin_gradient_fill");
    ASSERT_EQ(args.size(), 9u);
    EXPECT_EQ(args[1], rt::Dynamic(0));
    EXPECT_EQ(args[5], rt::Dynamic(m)) << "a given matrix is sent itself";
    EXPECT_EQ((Args{args[6], args[7], args[8]}), (Args{2, 1, 0.5}));
}

TEST_F(GraphicsTest, BitmapFillOfNullIsAClearError) {
    EXPECT_THROW(g.beginBitmapFill(nullptr), rt::Error);
    EXPECT_EQ(backend.count("limn_gfx_begin_bitmap_fill"), 0);
}

TEST_F(GraphicsTest, GraphicsDataSendsHandlesNotObjects) {
    rt::Handle h1 = backend.makeHandle();
    rt::Handle h2 = backend.makeHandle();
    g.drawGraphicsData({std::make_shared<IGraphicsData>(h1), std::make_shared<IGraphicsData>(h2)});
    Args args = argsOf("limn_gfx_draw_data");
    ASSERT_EQ(args.size(), 2u);
    ASSERT_TRUE(args[1].isArray());
    EXPECT_EQ(*args[1].asArray(), (rt::Array{h1, h2}));

    g.drawGraphicsDatum(std::make_shared<IGraphicsData>(h2));
    EXPECT_EQ(argsOf("limn_gfx_draw_datum"), (Args{handle, h2}));
}

TEST_F(GraphicsTest, GraphicsDataWithANullElementSendsNothing) {
    EXPECT_THROW(g.drawGraphicsData({nullptr}), rt::Error);
    EXPECT_THROW(g.drawGraphicsDatum(nullptr), rt::Error);
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(GraphicsTest, DrawTilesOfNullSheetIsAClearError) {
    EXPECT_THROW(g.drawTiles(nullptr, rt::array()), rt::Error);
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(GraphicsTest, RGBAPutsAlphaInTheTopByte) {
    EXPECT_EQ(Graphics::RGBA(0x00FF00), 0xFF00FF00u);
    EXPECT_EQ(Graphics::RGBA(0x123456, 0x80), 0x80123456u);
}

TEST_F(GraphicsTest, PathCommandsAreCallableByName) {
    auto shared = std::make_shared<Graphics>(rt::Dynamic(handle));
    const rt::Dynamic args[] = {1, 2, 3, 4};
    shared->callMethod("drawRect", args);
    EXPECT_EQ(argsOf("limn_gfx_draw_rect"), (Args{handle, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace limn::display
