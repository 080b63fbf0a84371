#include <cmath>
#include <limits>

#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

using DisplayObjects = BackendTest;

TEST_F(DisplayObjects, IdsAreUniqueAndPropertiesReadBack) {
    auto a = shape();
    auto b = sprite();
    EXPECT_NE(call("limn_display_object_get_id", a).asInt(),
              call("limn_display_object_get_id", b).asInt());
    call("limn_display_object_set_x", a, 12.5);
    call("limn_display_object_set_rotation", a, 270.0);
    call("limn_display_object_set_name", a, "mole");
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_x", a).asFloat(), 12.5);
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_rotation", a).asFloat(), -90.0);
    EXPECT_EQ(call("limn_display_object_get_name", a).asString(), "mole");
    EXPECT_TRUE(call("limn_display_object_get_visible", a).asBool());
}

TEST_F(DisplayObjects, NullHandleReadsAsNothing) {
    EXPECT_TRUE(call("limn_display_object_get_x", nullptr).isNull());
    EXPECT_TRUE(call("limn_display_object_set_x", nullptr, 3.0).isNull());
}

TEST_F(DisplayObjects, SizeFollowsContentAndScale) {
    auto s = shape();
    fillRect(s, 0, 1.0, 0, 0, 40, 20);
    call("limn_display_object_set_scale_x", s, 2.0);
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_width", s).asFloat(), 80.0);
    call("limn_display_object_set_height", s, 10.0);
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_scale_y", s).asFloat(), 0.5);
}

TEST_F(DisplayObjects, NonFiniteAlphaIsStoredAsZeroLikePositions) {
    auto s = shape();
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        call("limn_display_object_set_alpha", s, 0.5);
        call("limn_display_object_set_alpha", s, bad);
        EXPECT_EQ(call("limn_display_object_get_alpha", s).asFloat(), 0.0) << bad;
    }
}

TEST_F(DisplayObjects, ExtremeDrawingsMeasureAsNumbers) {
    const double big = std::numeric_limits<double>::max();
    const double cases[][4] = {{-big, -big, big, big},
                               {big, big, big, big},
                               {-big, 0, big, 1},
                               {0, 0, 1e300, 1e300},
                               {-1e308, -1e308, 1.7e308, 1.7e308},
                               {10, 10, 10, 10}};
    for (const auto& c : cases) {
        for (double rotation : {0.0, 30.0, 90.0, -1.0}) {
            auto parent = sprite();
            auto s = shape();
            call("limn_doc_add_child", parent, s);
            auto g = graphics(s);
            call("limn_gfx_begin_fill", g, 0, 1.0);
            call("limn_gfx_draw_rect", g, c[0], c[1], c[2], c[3]);
            call("limn_gfx_end_fill", g);
            callMany("limn_gfx_line_style", g, 3.0, 0, 1.0);
            call("limn_gfx_move_to", g, c[0], c[1]);
            call("limn_gfx_line_to", g, c[2], c[3]);
            call("limn_gfx_draw_ellipse", g, c[0], c[1], c[2], c[3]);
            if (rotation < 0) {
                call("limn_display_object_set_scale_x", s, big);
                call("limn_display_object_set_scale_y", s, big);
            } else {
                call("limn_display_object_set_rotation", s, rotation);
            }
            for (const auto& node : {s, parent}) {
                EXPECT_FALSE(std::isnan(call("limn_display_object_get_width", node).asFloat()))
                    << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << " r" << rotation;
                EXPECT_FALSE(std::isnan(call("limn_display_object_get_height", node).asFloat()))
                    << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << " r" << rotation;
            }
        }
    }
}

TEST_F(DisplayObjects, MatrixIsFilledAndSetByField) {
    auto parent = sprite();
    auto child = shape();
    add(parent, child);
    call("limn_display_object_set_x", parent, 10.0);
    call("limn_display_object_set_scale_x", child, 2.0);
    auto m = std::make_shared<geom::Matrix>();
    call("limn_display_object_get_matrix", child, m, true);
    EXPECT_DOUBLE_EQ(m->a, 2.0);
    EXPECT_DOUBLE_EQ(m->tx, 10.0);
    call("limn_display_object_set_matrix", child,
         std::make_shared<geom::Matrix>(0, 1, -1, 0, 5, 6));
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_rotation", child).asFloat(), 90.0);
    EXPECT_DOUBLE_EQ(call("limn_display_object_get_y", child).asFloat(), 6.0);
}

TEST_F(DisplayObjects, PointsConvertBetweenStageAndLocal) {
    auto s = sprite();
    call("limn_display_object_set_x", s, 10.0);
    call("limn_display_object_set_scale_y", s, 2.0);
    auto p = std::make_shared<geom::Point>(20, 20);
    call("limn_display_object_global_to_local", s, p);
    EXPECT_DOUBLE_EQ(p->x, 10.0);
    EXPECT_DOUBLE_EQ(p->y, 10.0);
    call("limn_display_object_local_to_global", s, p);
    EXPECT_DOUBLE_EQ(p->y, 20.0);
}

TEST_F(DisplayObjects, ConcatenatedColorTransformMultiplies) {
    auto parent = sprite();
    auto child = shape();
    add(parent, child);
    call("limn_display_object_set_alpha", parent, 0.5);
    call("limn_display_object_set_alpha", child, 0.5);
    auto ct = std::make_shared<geom::ColorTransform>();
    call("limn_display_object_get_color_transform", child, ct, true);
    EXPECT_DOUBLE_EQ(ct->alphaMultiplier, 0.25);
}

TEST_F(DisplayObjects, PixelBoundsAreInStageCoordinates) {
    auto parent = sprite();
    auto child = shape();
    add(parent, child);
    fillRect(child, 0, 1.0, 0, 0, 10, 10);
    call("limn_display_object_set_x", parent, 5.0);
    auto r = std::make_shared<geom::Rectangle>();
    call("limn_display_object_get_pixel_bounds", child, r);
    EXPECT_DOUBLE_EQ(r->x, 5.0);
    EXPECT_DOUBLE_EQ(r->width, 10.0);
}

TEST_F(DisplayObjects, BackgroundReadsBackWithItsFlagBit) {
    auto s = shape();
    EXPECT_EQ(call("limn_display_object_get_bg", s).asInt(), 0);
    call("limn_display_object_set_bg", s, 0xFF0000);
    EXPECT_EQ(call("limn_display_object_get_bg", s).asInt(), 0x1FF0000);
    call("limn_display_object_set_bg", s, 0);
    EXPECT_EQ(call("limn_display_object_get_bg", s).asInt(), 0);
}

TEST_F(DisplayObjects, ChildListsReorderLikeTheFrameworkArrays) {
    auto parent = sprite();
    auto a = shape(), b = shape(), c = shape();
    add(parent, a);
    add(parent, b);
    add(parent, c);
    call("limn_doc_set_child_index", parent, a, 2);  // [b, c, a]
    call("limn_doc_swap_children", parent, 0, 1);    // [c, b, a]
    call("limn_doc_remove_child", parent, 1);        // [c, a]
    const auto& kids = SceneNode::from(parent)->children();
    ASSERT_EQ(kids.size(), 2u);
    EXPECT_EQ(kids[0].get(), SceneNode::from(c));
    EXPECT_EQ(kids[1].get(), SceneNode::from(a));
    EXPECT_EQ(SceneNode::from(b)->parent(), nullptr);
    // Adding to another parent moves the node.
    auto other = sprite();
    add(other, a);
    EXPECT_EQ(kids.size(), 1u);
    // A node can't become its own ancestor.
    add(a, other);
    EXPECT_EQ(SceneNode::from(other)->parent(), nullptr);
}

TEST_F(DisplayObjects, DroppingTheParentLeavesChildrenDetached) {
    auto child = shape();
    {
        auto parent = sprite();
        add(parent, child);
    }
    EXPECT_EQ(SceneNode::from(child)->parent(), nullptr);
}

}  // namespace
}  // namespace limn::sdl::testing
