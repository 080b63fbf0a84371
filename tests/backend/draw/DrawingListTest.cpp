#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "backend/draw/DrawingList.h"
#include "framework/geom/Matrix.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

using DrawingLists = BackendTest;

TEST_F(DrawingLists, FillWithoutEndFillIsStillDrawn) {
    auto stage = makeStage(20, 20);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    call("limn_gfx_begin_fill", g, 0x0000FF, 1.0);
    call("limn_gfx_draw_rect", g, 0.0, 0.0, 10.0, 10.0);
    render(stage);
    EXPECT_EQ(pixel(stage, 5, 5), 0xFF0000FFu);
}

TEST_F(DrawingLists, OpenPathsAreClosedByTheFill) {
    auto stage = makeStage(20, 20);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    call("limn_gfx_begin_fill", g, 0xFF0000, 1.0);
    call("limn_gfx_move_to", g, 0.0, 0.0);
    call("limn_gfx_line_to", g, 20.0, 0.0);
    call("limn_gfx_line_to", g, 0.0, 20.0);
    call("limn_gfx_end_fill", g);
    render(stage);
    EXPECT_EQ(pixel(stage, 3, 3), 0xFFFF0000u);
    EXPECT_EQ(pixel(stage, 17, 17), kWhite);
}

TEST_F(DrawingLists, LinesDrawOverTheirFill) {
    auto stage = makeStage(20, 20);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    callMany("limn_gfx_line_style", g, 4.0, 0x000000, 1.0, false, 0, 2, 1, 3.0);
    call("limn_gfx_begin_fill", g, 0xFF0000, 1.0);
    call("limn_gfx_draw_rect", g, 4.0, 4.0, 12.0, 12.0);
    call("limn_gfx_end_fill", g);
    render(stage);
    EXPECT_EQ(pixel(stage, 4, 10), 0xFF000000u);   // on the outline
    EXPECT_EQ(pixel(stage, 10, 10), 0xFFFF0000u);  // inside
    EXPECT_EQ(pixel(stage, 1, 10), kWhite);
}

TEST_F(DrawingLists, LineWithoutScalingKeepsItsWidth) {
    auto stage = makeStage(40, 40);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    callMany("limn_gfx_line_style", g, 2.0, 0x000000, 1.0, false, 1, 1, 0, 3.0);
    call("limn_gfx_move_to", g, 0.0, 5.0);
    call("limn_gfx_line_to", g, 10.0, 5.0);
    call("limn_display_object_set_scale_x", s, 4.0);
    call("limn_display_object_set_scale_y", s, 4.0);
    render(stage);
    EXPECT_EQ(pixel(stage, 20, 20), 0xFF000000u);
    EXPECT_EQ(pixel(stage, 20, 17), kWhite);  // a scaled line would be 8 pixels wide
}

TEST_F(DrawingLists, RepeatedBitmapFillTilesThroughItsMatrix) {
    auto stage = makeStage(20, 20);
    auto tile = bitmap(2, 2, 0xFF00FF00);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    auto m = std::make_shared<geom::Matrix>(2, 0, 0, 2, 1, 1);
    call("limn_gfx_begin_bitmap_fill", g, tile, m, true, false);
    call("limn_gfx_draw_rect", g, 0.0, 0.0, 20.0, 20.0);
    call("limn_gfx_end_fill", g);
    render(stage);
    EXPECT_EQ(pixel(stage, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(pixel(stage, 19, 19), 0xFF00FF00u);
}

TEST_F(DrawingLists, ClearEmptiesTheListAndItsBounds) {
    auto s = shape();
    fillRect(s, 0, 1.0, 0, 0, 10, 10);
    call("limn_gfx_clear", graphics(s));
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_width", s).asFloat(), 0.0);
}

TEST_F(DrawingLists, CurvesAndArcsStayWithinTheirControlBox) {
    DrawingList list;
    list.beginFill(0, 1);
    list.moveTo(0, 0);
    list.curveTo(50, 100, 100, 0);
    list.arcTo(100, 50, 50, 50);
    list.endFill();
    const Bounds b = list.bounds();
    EXPECT_GE(b.x0, 0.0);
    EXPECT_LE(b.x1, 100.0);
    EXPECT_GT(b.y1, 40.0);
    EXPECT_LE(b.y1, 100.0);
}

TEST_F(DrawingLists, RoundRectCornersLeaveTheBoxCornerEmpty) {
    DrawingList list;
    list.beginFill(0, 1);
    list.drawRoundRect(0, 0, 40, 40, 20, 20);
    list.endFill();
    EXPECT_TRUE(list.hit(20, 20));
    EXPECT_TRUE(list.hit(20, 1));
    EXPECT_FALSE(list.hit(1, 1));
}

TEST_F(DrawingLists, BadNumbersDrawNothingAndBreakNothing) {
    auto stage = makeStage(20, 20);
    auto s = shape();
    add(stage, s);
    auto g = graphics(s);
    call("limn_gfx_begin_fill", g, 0, 1.0);
    call("limn_gfx_draw_rect", g, std::nan(""), 0.0, 1e308, -1e308);
    call("limn_gfx_draw_ellipse", g, 5.0, 5.0, 0.0, 0.0);
    call("limn_gfx_end_fill", g);
    call("limn_display_object_set_x", s, std::nan(""));
    render(stage);
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_x", s).asFloat(), 0.0);
}

// A list that is one picture keeps only the picture once compiled; whatever
// is done to it afterwards must come out as if the commands had all been
// kept: the same bounds, hits, emptiness and single bitmap as a list given
// the same commands and never compiled in between.
TEST(DrawingListPicture, ChangesAfterThePictureMatchTheWholeCommandList) {
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + pick(30), h = 1 + pick(30);
        FillStyle fill;
        fill.kind = FillKind::Bitmap;
        fill.bitmap = Surface::create(w, h, true, 0xFF00FF00u);
        fill.repeat = false;
        DrawingList kept, whole;
        for (DrawingList* list : {&kept, &whole}) {
            list->beginFill(fill);
            list->drawRect(0, 0, w, h);
            list->endFill();
        }
        ASSERT_NE(kept.singleBitmap(), nullptr);
        std::vector<std::function<void(DrawingList&)>> steps;
        for (int i = pick(4); i > 0; --i) {
            const double x = pick(40) - 5, y = pick(40) - 5;
            switch (pick(6)) {
                case 0:
                    steps.push_back([](DrawingList& l) { l.clear(); });
                    break;
                case 1:
                    steps.push_back([=](DrawingList& l) { l.beginFill(0xFF0000, 1); });
                    break;
                case 2:
                    steps.push_back([](DrawingList& l) { l.endFill(); });
                    break;
                case 3:
                    steps.push_back([=](DrawingList& l) { l.lineTo(x, y); });
                    break;
                case 4:
                    steps.push_back([=](DrawingList& l) { l.drawRect(x, y, 6, 4); });
                    break;
                default:
                    steps.push_back([=](DrawingList& l) {
                        LineStyle line;
                        line.enabled = true;
                        line.thickness = 2;
                        l.lineStyle(line);
                        l.moveTo(x, y);
                    });
            }
        }
        for (const auto& step : steps) {
            step(kept);
            step(whole);
            (void)kept.bounds();  // compiled, and maybe a picture again
        }
        const Bounds a = kept.bounds(), b = whole.bounds();
        ASSERT_EQ(a.empty(), b.empty()) << "round " << round;
        if (!a.empty()) {
            EXPECT_EQ(a.x0, b.x0);
            EXPECT_EQ(a.y0, b.y0);
            EXPECT_EQ(a.x1, b.x1);
            EXPECT_EQ(a.y1, b.y1);
        }
        EXPECT_EQ(kept.empty(), whole.empty());
        EXPECT_EQ(kept.singleBitmap() != nullptr, whole.singleBitmap() != nullptr);
        for (int i = 0; i < 20; ++i) {
            const double x = pick(400) / 10.0 - 5, y = pick(400) / 10.0 - 5;
            EXPECT_EQ(kept.hit(x, y), whole.hit(x, y))
                << "round " << round << " at " << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace limn::sdl::testing
