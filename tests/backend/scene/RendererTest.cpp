#include <cmath>
#include <functional>
#include <vector>

#include "backend/scene/Renderer.h"
#include "backend/stage/StageNode.h"
#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Rectangle.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;

using Rendering = BackendTest;

TEST_F(Rendering, StageShowsItsBackgroundColour) {
    auto stage = makeStage(20, 10);
    call("limn_display_object_set_bg", stage, 0x336699);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 5, 5), 0xFF336699));
    EXPECT_EQ(StageNode::from(stage)->lastFrame()->width(), 20);
}

TEST_F(Rendering, BitmapAtWholePixelOffsetIsCopiedExactly) {
    auto stage = makeStage(40, 40);
    auto bmp = bitmapObject(bitmap(4, 4, 0xFFFF0000));
    add(stage, bmp);
    place(bmp, 10.0, 12.0);
    render(stage);
    EXPECT_EQ(pixel(stage, 10, 12), kRed);
    EXPECT_EQ(pixel(stage, 13, 15), kRed);
    EXPECT_EQ(pixel(stage, 9, 12), kWhite);
    EXPECT_EQ(pixel(stage, 14, 12), kWhite);
}

TEST_F(Rendering, HalfTransparentBitmapBlendsOverBackground) {
    auto stage = makeStage(10, 10);
    add(stage, bitmapObject(bitmap(4, 4, 0x800000FF)));
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 1, 1), 0xFF7F7FFF, 2));
}

TEST_F(Rendering, RotatedBitmapCoversTheRotatedArea) {
    auto stage = makeStage(100, 100);
    auto bmp = bitmapObject(bitmap(20, 10, kBlue));
    add(stage, bmp);
    place(bmp, 50.0, 50.0);
    call("limn_display_object_set_rotation", bmp, 90.0);
    render(stage);
    // A quarter turn clockwise maps (x, y) to (-y, x): the picture lies left of and below the
    // origin.
    EXPECT_EQ(pixel(stage, 45, 60), kBlue);
    EXPECT_EQ(pixel(stage, 55, 60), kWhite);
    EXPECT_EQ(pixel(stage, 45, 45), kWhite);
    EXPECT_EQ(pixel(stage, 45, 72), kWhite);
}

TEST_F(Rendering, FractionalPositionWithoutSmoothingSnapsToNearestPixel) {
    auto stage = makeStage(20, 20);
    auto bmp = bitmapObject(bitmap(2, 2, kRed));
    add(stage, bmp);
    place(bmp, 5.3, 5.7);
    render(stage);
    EXPECT_EQ(pixel(stage, 5, 6), kRed);
    EXPECT_EQ(pixel(stage, 6, 7), kRed);
    EXPECT_EQ(pixel(stage, 5, 5), kWhite);
    EXPECT_EQ(pixel(stage, 7, 6), kWhite);
}

TEST_F(Rendering, LinearGradientRunsFromFirstToLastColour) {
    auto stage = makeStage(100, 10);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    auto box = std::make_shared<geom::Matrix>();
    box->createGradientBox(100, 10);
    callMany("limn_gfx_begin_gradient_fill", g, 1, rt::array({0xFF0000, 0x0000FF}),
             rt::array({1.0, 1.0}), rt::array({0, 255}), box, 0, 0, 0.0);
    call("limn_gfx_draw_rect", g, 0.0, 0.0, 100.0, 10.0);
    call("limn_gfx_end_fill", g);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 0, 5), kRed, 6));
    EXPECT_TRUE(near(pixel(stage, 99, 5), kBlue, 6));
    EXPECT_TRUE(near(pixel(stage, 50, 5), 0xFF7F007F, 6));
}

TEST_F(Rendering, RadialGradientIsCentredOnItsBox) {
    auto stage = makeStage(100, 100);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    auto box = std::make_shared<geom::Matrix>();
    box->createGradientBox(100, 100);
    callMany("limn_gfx_begin_gradient_fill", g, 0, rt::array({0xFFFFFF, 0x000000}),
             rt::array({1.0, 1.0}), rt::array({0, 255}), box, 0, 0, 0.0);
    call("limn_gfx_draw_rect", g, 0.0, 0.0, 100.0, 100.0);
    call("limn_gfx_end_fill", g);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 50, 50), kWhite, 8));
    EXPECT_TRUE(near(pixel(stage, 0, 50), 0xFF000000, 8));
    EXPECT_TRUE(near(pixel(stage, 2, 2), 0xFF000000, 8));  // padded beyond the radius
}

TEST_F(Rendering, LineHasItsThicknessAndNullThicknessDrawsNoLine) {
    auto stage = makeStage(50, 50);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    callMany("limn_gfx_line_style", g, 4.0, 0x000000, 1.0, false, 0, 1, 1, 3.0);
    call("limn_gfx_move_to", g, 0.0, 10.0);
    call("limn_gfx_line_to", g, 50.0, 10.0);
    callMany("limn_gfx_line_style", g, nullptr, 0x000000, 1.0, false, 0, 0, 0, 3.0);
    call("limn_gfx_move_to", g, 0.0, 30.0);
    call("limn_gfx_line_to", g, 50.0, 30.0);
    render(stage);
    EXPECT_EQ(pixel(stage, 25, 8), 0xFF000000u);
    EXPECT_EQ(pixel(stage, 25, 11), 0xFF000000u);
    EXPECT_EQ(pixel(stage, 25, 6), kWhite);
    EXPECT_EQ(pixel(stage, 25, 13), kWhite);
    EXPECT_EQ(pixel(stage, 25, 30), kWhite);
}

TEST_F(Rendering, AlphaMultipliesDownTheTree) {
    auto stage = makeStage(20, 20);
    auto outer = sprite();
    auto inner = shape();
    add(stage, outer);
    add(outer, inner);
    fillRect(inner, 0x000000, 1.0, 0, 0, 10, 10);
    call("limn_display_object_set_alpha", outer, 0.5);
    call("limn_display_object_set_alpha", inner, 0.5);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 5, 5), 0xFFBFBFBF, 2));
}

TEST_F(Rendering, InvisibleObjectsDrawNothing) {
    auto stage = makeStage(20, 20);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0x000000, 1.0, 0, 0, 10, 10);
    call("limn_display_object_set_visible", s, false);
    render(stage);
    EXPECT_EQ(pixel(stage, 5, 5), kWhite);
}

TEST_F(Rendering, ScrollRectClipsAndShiftsTheContent) {
    auto stage = makeStage(60, 60);
    auto box = sprite();
    add(stage, box);
    auto content = shape();
    add(box, content);
    fillRect(content, 0xFF0000, 1.0, 0, 0, 20, 20);
    fillRect(content, 0x0000FF, 1.0, 20, 0, 20, 20);
    place(box, 10.0, 10.0);
    call("limn_display_object_set_scroll_rect", box,
         std::make_shared<geom::Rectangle>(15, 0, 10, 10));
    render(stage);
    EXPECT_EQ(pixel(stage, 12, 12), kRed);    // content x 17
    EXPECT_EQ(pixel(stage, 17, 12), kBlue);   // content x 22
    EXPECT_EQ(pixel(stage, 21, 12), kWhite);  // outside the 10 x 10 window
    EXPECT_EQ(pixel(stage, 12, 21), kWhite);
}

TEST_F(Rendering, MaskLimitsDrawingToTheMaskShape) {
    auto stage = makeStage(40, 40);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0xFF0000, 1.0, 0, 0, 40, 40);
    auto m = shape();
    add(stage, m);
    fillRect(m, 0x000000, 1.0, 10, 10, 10, 10);
    call("limn_display_object_set_mask", s, m);
    render(stage);
    EXPECT_EQ(pixel(stage, 15, 15), kRed);
    EXPECT_EQ(pixel(stage, 5, 5), kWhite);
    EXPECT_EQ(pixel(stage, 25, 25), kWhite);
}

TEST_F(Rendering, ColorTransformTintsFillsAndBitmaps) {
    auto stage = makeStage(40, 20);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0xFFFFFF, 1.0, 0, 0, 10, 10);
    auto bmp = bitmapObject(bitmap(10, 10, kWhite));
    add(stage, bmp);
    call("limn_display_object_set_x", bmp, 20.0);
    auto ct = std::make_shared<geom::ColorTransform>(0.0, 1.0, 0.0, 1.0, 0.0, 0.0, 128.0, 0.0);
    call("limn_display_object_set_color_transform", s, ct);
    call("limn_display_object_set_color_transform", bmp, ct);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 5, 5), 0xFF00FF80, 2));
    EXPECT_TRUE(near(pixel(stage, 25, 5), 0xFF00FF80, 2));
}

TEST_F(Rendering, BlendModesCombineWithWhatLiesBelow) {
    auto stage = makeStage(40, 10);
    call("limn_display_object_set_bg", stage, 0x808080);
    auto multiply = shape();
    auto additive = shape();
    auto erase = shape();
    for (auto& s : {multiply, additive, erase}) add(stage, s);
    fillRect(multiply, 0x800000, 1.0, 0, 0, 10, 10);
    fillRect(additive, 0x404040, 1.0, 10, 0, 10, 10);
    fillRect(erase, 0x000000, 1.0, 20, 0, 10, 10);
    call("limn_display_object_set_blend_mode", multiply, 2);
    call("limn_display_object_set_blend_mode", additive, 7);
    call("limn_display_object_set_blend_mode", erase, 11);
    render(stage);
    EXPECT_TRUE(near(pixel(stage, 5, 5), 0xFF400000, 3));
    EXPECT_TRUE(near(pixel(stage, 15, 5), 0xFFC0C0C0, 3));
    EXPECT_EQ(pixel(stage, 25, 5) >> 24, 0u);  // erased to transparent
}

// The mask is drawn as it looks, whatever the blend mode of the node it
// masks: an erasing node erases exactly the mask's shape.
TEST_F(Rendering, MaskedNodeBlendsOnlyWithinTheMaskShape) {
    auto stage = makeStage(40, 10);
    call("limn_display_object_set_bg", stage, 0x808080);
    auto erase = shape();
    add(stage, erase);
    fillRect(erase, 0x000000, 1.0, 0, 0, 40, 10);
    call("limn_display_object_set_blend_mode", erase, 11);
    auto m = shape();
    add(stage, m);
    fillRect(m, 0x000000, 1.0, 10, 0, 10, 10);
    call("limn_display_object_set_mask", erase, m);
    render(stage);
    EXPECT_EQ(pixel(stage, 15, 5) >> 24, 0u);
    EXPECT_TRUE(near(pixel(stage, 5, 5), 0xFF808080, 1));
    EXPECT_TRUE(near(pixel(stage, 25, 5), 0xFF808080, 1));
}

TEST_F(Rendering, NodeDrawnIntoASurfaceIgnoresItsOwnPosition) {
    auto s = shape();
    fillRect(s, 0xFF0000, 1.0, 0, 0, 4, 4);
    call("limn_display_object_set_x", s, 100.0);
    auto target = bitmap(8, 8, 0x00000000);
    auto m = std::make_shared<geom::Matrix>(1, 0, 0, 1, 2, 2);
    callMany("limn_display_object_draw_to_surface", s, target, m, nullptr, "normal", nullptr);
    Surface* out = Surface::from(target);
    out->flush();
    EXPECT_EQ(out->row(3)[3], 0xFFFF0000u);
    EXPECT_EQ(out->row(1)[1], 0u);
}

TEST_F(Rendering, FrameCanBeSavedAsPng) {
    auto stage = makeStage(8, 8);
    render(stage);
    const std::string path = ::testing::TempDir() + "frame.png";
    EXPECT_TRUE(StageNode::from(stage)->saveFrame(path));
    auto loaded = call("limn_bitmap_data_load", path);
    EXPECT_EQ(call("limn_bitmap_data_width", loaded).asInt(), 8);
}

TEST_F(Rendering, DegenerateTransformSkipsOnlyThatObject) {
    // Each breaks one object: scaled to nothing, to almost nothing, beyond any
    // size when nested, or by a matrix that can't be inverted.
    auto breakers = std::vector<std::function<void(const rt::Dynamic&, const rt::Dynamic&)>>{
        [](auto&, auto& inner) { call("limn_display_object_set_scale_x", inner, 0.0); },
        [](auto&, auto& inner) { call("limn_display_object_set_scale_y", inner, 1e-200); },
        [](auto& outer, auto& inner) {
            call("limn_display_object_set_scale_x", outer, 1e200);
            call("limn_display_object_set_scale_x", inner, 1e200);
        },
        [](auto&, auto& inner) {
            call("limn_display_object_set_matrix", inner,
                 std::make_shared<geom::Matrix>(1, 2, 2, 4, 0, 0));
        },
    };
    for (auto& breakIt : breakers) {
        auto stage = makeStage(20, 10);
        auto outer = sprite();
        auto inner = shape();
        fillRect(inner, 0x0000FF, 1.0, 0, 0, 5, 5);
        add(outer, inner);
        add(stage, outer);
        auto bmp = bitmapObject(bitmap(4, 4, kRed));
        add(outer, bmp);
        call("limn_display_object_set_scale_x", bmp, 0.0);
        auto after = shape();
        fillRect(after, 0xFF0000, 1.0, 10, 0, 5, 5);
        add(stage, after);
        breakIt(outer, inner);
        render(stage);
        EXPECT_EQ(pixel(stage, 12, 2), kRed);
        // Drawing the broken tree into a bitmap leaves the bitmap usable.
        auto target = bitmap(8, 8, 0xFF00FF00);
        callMany("limn_display_object_draw_to_surface", stage, target, nullptr, nullptr, "normal",
                 nullptr);
        render(stage);
        EXPECT_EQ(pixel(stage, 12, 2), kRed);
    }
}

TEST_F(Rendering, VeryDeepChainRendersUpToTheDepthLimit) {
    auto stage = makeStage(10, 10);
    auto top = sprite();
    add(stage, top);
    rt::Dynamic parent = top;
    for (int i = 0; i < Renderer::kMaxDepth + 500; ++i) {
        auto next = sprite();
        add(parent, next);
        parent = next;
    }
    auto deepest = shape();
    fillRect(deepest, 0xFF0000, 1.0, 0, 0, 5, 5);
    add(parent, deepest);
    auto shallow = shape();
    fillRect(shallow, 0x0000FF, 1.0, 5, 5, 5, 5);
    add(stage, shallow);
    render(stage);
    EXPECT_EQ(pixel(stage, 7, 7), kBlue);
    EXPECT_EQ(pixel(stage, 2, 2), kWhite);  // below the limit: not drawn
}

}  // namespace
}  // namespace limn::sdl::testing
