#include "backend/scene/HitTester.h"
#include "backend/stage/StageInput.h"
#include "framework/geom/Rectangle.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

class HitTest : public BackendTest {
protected:
    int idAt(const rt::Dynamic& stage, double x, double y) {
        return StageInput(*StageNode::from(stage)).idAt(x, y);
    }
    static int id(const rt::Dynamic& node) {
        return call("limn_display_object_get_id", node).asInt();
    }
};

TEST_F(HitTest, EmptyPlaceHitsTheStage) {
    auto stage = makeStage(50, 50);
    EXPECT_EQ(idAt(stage, 10, 10), id(stage));
}

TEST_F(HitTest, TopmostObjectTakesTheHit) {
    auto stage = makeStage(50, 50);
    auto below = shape();
    auto above = shape();
    add(stage, below);
    add(stage, above);
    fillRect(below, 0xFF0000, 1.0, 0, 0, 20, 20);
    fillRect(above, 0x00FF00, 1.0, 10, 10, 20, 20);
    EXPECT_EQ(idAt(stage, 15, 15), id(above));
    EXPECT_EQ(idAt(stage, 5, 5), id(below));
    EXPECT_EQ(idAt(stage, 25, 25), id(above));
}

TEST_F(HitTest, FullyTransparentFillStillHits) {
    auto stage = makeStage(50, 50);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0x000000, 0.0, -8, -6, 50, 50);
    call("limn_display_object_set_x", s, 10.0);
    EXPECT_EQ(idAt(stage, 3, 1), id(s));
}

TEST_F(HitTest, HitFollowsRotationAndScale) {
    auto stage = makeStage(100, 100);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0, 1.0, 0, 0, 10, 5);
    place(s, 50.0, 50.0);
    call("limn_display_object_set_scale_x", s, 2.0);
    call("limn_display_object_set_rotation", s, 90.0);
    // Local (0..10, 0..5) scaled to 20 x 5, turned a quarter: x in 45..50, y in 50..70.
    EXPECT_EQ(idAt(stage, 47, 65), id(s));
    EXPECT_EQ(idAt(stage, 52, 55), id(stage));
    EXPECT_EQ(idAt(stage, 47, 72), id(stage));
}

TEST_F(HitTest, ShapeOutlineCountsNotItsBox) {
    auto stage = makeStage(100, 100);
    auto s = shape();
    add(stage, s);
    fillCircle(s, 0, 1.0, 50, 50, 20);
    EXPECT_EQ(idAt(stage, 50, 50), id(s));
    EXPECT_EQ(idAt(stage, 32, 32), id(stage));  // inside the box, outside the circle
}

TEST_F(HitTest, InvisibleObjectsDontHit) {
    auto stage = makeStage(50, 50);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0, 1.0, 0, 0, 20, 20);
    call("limn_display_object_set_visible", s, false);
    EXPECT_EQ(idAt(stage, 5, 5), id(stage));
}

TEST_F(HitTest, MouseDisabledContainerLetsTheHitFallThrough) {
    auto stage = makeStage(50, 50);
    auto below = sprite();
    add(stage, below);
    fillRect(below, 0, 1.0, 0, 0, 40, 40);
    auto cover = sprite();
    add(stage, cover);
    auto art = shape();
    add(cover, art);
    fillRect(art, 0, 1.0, 0, 0, 40, 40);
    fillRect(cover, 0, 1.0, 0, 0, 40, 40);
    auto button = sprite();
    add(cover, button);
    fillRect(button, 0, 1.0, 30, 30, 10, 10);
    call("limn_display_object_set_mouse_enabled", cover, false);
    EXPECT_EQ(idAt(stage, 5, 5), id(below));
    // An interactive child that is itself enabled still takes hits.
    EXPECT_EQ(idAt(stage, 35, 35), id(button));
}

TEST_F(HitTest, ScrollRectCutsTheHitArea) {
    auto stage = makeStage(50, 50);
    auto box = sprite();
    add(stage, box);
    fillRect(box, 0, 1.0, 0, 0, 40, 40);
    call("limn_display_object_set_scroll_rect", box,
         std::make_shared<geom::Rectangle>(0, 0, 10, 10));
    EXPECT_EQ(idAt(stage, 5, 5), id(box));
    EXPECT_EQ(idAt(stage, 15, 5), id(stage));
}

TEST_F(HitTest, MaskCutsTheHitArea) {
    auto stage = makeStage(50, 50);
    auto s = shape();
    add(stage, s);
    fillRect(s, 0, 1.0, 0, 0, 40, 40);
    auto m = shape();
    add(stage, m);
    fillRect(m, 0, 1.0, 0, 0, 10, 10);
    call("limn_display_object_set_mask", s, m);
    EXPECT_EQ(idAt(stage, 5, 5), id(s));
    EXPECT_EQ(idAt(stage, 20, 20), id(stage));  // the mask itself never hits either
}

TEST_F(HitTest, BitmapHitsOverItsWholeRectangle) {
    auto stage = makeStage(50, 50);
    auto bmp = bitmapObject(bitmap(10, 10, 0x00000000));
    add(stage, bmp);
    EXPECT_EQ(idAt(stage, 5, 5), id(bmp));
}

TEST_F(HitTest, HitTestPointUsesBoxOrShape) {
    auto stage = makeStage(100, 100);
    auto s = shape();
    add(stage, s);
    fillCircle(s, 0, 1.0, 50, 50, 20);
    EXPECT_TRUE(call("limn_display_object_hit_test_point", s, 32.0, 32.0, false, true).asBool());
    EXPECT_FALSE(call("limn_display_object_hit_test_point", s, 32.0, 32.0, true, true).asBool());
    EXPECT_TRUE(call("limn_display_object_hit_test_point", s, 50.0, 50.0, true, false).asBool());
}

TEST_F(HitTest, BoundsFollowChangesBelowTheNode) {
    auto stage = makeStage(200, 200);
    auto outer = sprite();
    add(stage, outer);
    auto inner = shape();
    add(outer, inner);
    fillRect(inner, 0, 1.0, 0, 0, 10, 10);
    EXPECT_EQ(idAt(stage, 5, 5), id(inner));
    call("limn_display_object_set_x", inner, 100.0);
    EXPECT_EQ(idAt(stage, 105, 5), id(inner));
    EXPECT_EQ(idAt(stage, 5, 5), id(stage));
    fillRect(inner, 0, 1.0, 0, 50, 10, 10);
    EXPECT_EQ(idAt(stage, 105, 55), id(inner));
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_height", outer).asFloat(), 60.0);
}

}  // namespace
}  // namespace limn::sdl::testing
