// Drop shadows drawn by the renderer through the filter hooks.
#include <gtest/gtest.h>

#include "backend/draw/FilterEffects.h"
#include "backend/image/PixelOps.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Object.h"
#include "tests/backend/Pixels.h"

namespace limn::sdl {
namespace {

rt::PropertySet shadow(std::initializer_list<std::pair<rt::Name, rt::Dynamic>> changes = {}) {
    auto f = rt::props({{"type", "DropShadowFilter"},
                        {"distance", 4.0},
                        {"angle", 45.0},
                        {"color", 0},
                        {"alpha", 1.0},
                        {"blurX", 0.0},
                        {"blurY", 0.0},
                        {"quality", 1},
                        {"strength", 1.0},
                        {"inner", false},
                        {"knockout", false},
                        {"hideObject", false}});
    for (const auto& [name, value] : changes) f->set(name, value);
    return f;
}

class DropShadow : public ::testing::Test {
protected:
    // A red 10 x 10 square at (10, 10) with the filter, drawn on a clear 40 x 40 surface.
    std::shared_ptr<Surface> draw(const rt::PropertySet& filter) {
        auto square = std::make_shared<SceneNode>(NodeKind::Shape);
        square->graphics().beginFill(0xFF0000, 1.0);
        square->graphics().drawRect(10, 10, 10, 10);
        square->graphics().endFill();
        square->setFilters({filter});
        auto root = std::make_shared<SceneNode>(NodeKind::Container);
        root->addChild(square);
        return limn::testing::render(*root, 40, 40);
    }
    static std::uint32_t at(Surface& s, int x, int y) { return PixelOps::getPixel32(s, x, y); }
};

TEST_F(DropShadow, FallsDownAndRightAtFortyFiveDegrees) {
    auto s = draw(shadow());
    EXPECT_EQ(at(*s, 15, 15), 0xFFFF0000u) << "the square stays on top";
    EXPECT_EQ(at(*s, 21, 21), 0xFF000000u) << "the shadow shows beyond the square's corner";
    EXPECT_EQ(at(*s, 11, 21), 0u) << "nothing left of the shadow";
    EXPECT_EQ(at(*s, 24, 24), 0u);
    EXPECT_EQ(at(*s, 8, 8), 0u) << "no shadow up and left";
}

TEST_F(DropShadow, StaysInPlaceAfterAMovedSibling) {
    auto alone = draw(shadow());
    auto sibling = std::make_shared<SceneNode>(NodeKind::Shape);
    sibling->graphics().beginFill(0x0000FF, 1.0);
    sibling->graphics().drawRect(0, 0, 2, 2);
    sibling->graphics().endFill();
    sibling->setX(31);
    sibling->setY(33);
    auto square = std::make_shared<SceneNode>(NodeKind::Shape);
    square->graphics().beginFill(0xFF0000, 1.0);
    square->graphics().drawRect(10, 10, 10, 10);
    square->graphics().endFill();
    square->setFilters({shadow()});
    auto root = std::make_shared<SceneNode>(NodeKind::Container);
    root->addChild(sibling);
    root->addChild(square);
    auto s = limn::testing::render(*root, 40, 40);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) ASSERT_EQ(at(*s, x, y), at(*alone, x, y)) << x << "," << y;
    }
}

TEST_F(DropShadow, AngleAndColourAreHonoured) {
    auto s = draw(shadow({{"angle", 180.0}, {"color", 0x0000FF}}));
    EXPECT_EQ(at(*s, 7, 15), 0xFF0000FFu) << "a shadow at 180 degrees falls to the left";
    EXPECT_EQ(at(*s, 21, 15), 0u);
}

TEST_F(DropShadow, BlurSoftensTheEdge) {
    auto s = draw(shadow({{"blurX", 8.0}, {"blurY", 8.0}, {"quality", 2}}));
    const std::uint32_t edge = at(*s, 24, 17) >> 24;
    EXPECT_GT(edge, 0u) << "the blur spreads past the hard edge";
    EXPECT_LT(edge, 255u);
    EXPECT_EQ(at(*s, 15, 15), 0xFFFF0000u);
}

TEST_F(DropShadow, AlphaAndStrengthScaleTheShadow) {
    auto half = draw(shadow({{"alpha", 0.5}}));
    EXPECT_NEAR(static_cast<int>(at(*half, 21, 21) >> 24), 128, 2);
    auto strong = draw(shadow({{"alpha", 0.5}, {"blurX", 6.0}, {"blurY", 6.0}, {"strength", 4.0}}));
    auto weak = draw(shadow({{"alpha", 0.5}, {"blurX", 6.0}, {"blurY", 6.0}}));
    EXPECT_GT(at(*strong, 23, 23) >> 24, at(*weak, 23, 23) >> 24);
}

TEST_F(DropShadow, InnerShadowDarkensInsideTheTopLeftEdge) {
    auto s = draw(shadow({{"inner", true}}));
    EXPECT_EQ(at(*s, 11, 15), 0xFF000000u) << "inside, along the left edge";
    EXPECT_EQ(at(*s, 17, 17), 0xFFFF0000u) << "the far corner is untouched";
    EXPECT_EQ(at(*s, 21, 21), 0u) << "nothing outside the square";
}

TEST_F(DropShadow, KnockoutLeavesOnlyTheShadowOutsideTheObject) {
    auto s = draw(shadow({{"knockout", true}}));
    EXPECT_EQ(at(*s, 15, 15), 0u);
    EXPECT_EQ(at(*s, 21, 21), 0xFF000000u);
}

TEST_F(DropShadow, HideObjectShowsTheWholeShadowAlone) {
    auto s = draw(shadow({{"hideObject", true}}));
    EXPECT_EQ(at(*s, 15, 15), 0xFF000000u);
    EXPECT_EQ(at(*s, 11, 11), 0u);
}

TEST_F(DropShadow, OtherFilterKindsDrawTheObjectUnchanged) {
    auto s = draw(rt::props({{"type", "GlowFilter"}, {"blurX", 10.0}}));
    EXPECT_EQ(at(*s, 15, 15), 0xFFFF0000u);
    EXPECT_EQ(at(*s, 21, 21), 0u);
}

TEST_F(DropShadow, AbsurdValuesAreClampedNotFatal) {
    auto s = draw(shadow({{"distance", 1e300},
                          {"blurX", 1e9},
                          {"blurY", -5.0},
                          {"quality", 1000},
                          {"angle", std::nan("")}}));
    EXPECT_EQ(at(*s, 15, 15), 0xFFFF0000u);
}

TEST(FilterRect, GrowsByOffsetAndBlur) {
    native::TableModule module;
    registerFilterPrimitives(module);
    auto fn = *module.find(native::exportName("limn_bitmap_data_generate_filter_rect", 3));
    auto source = rt::props({{"x", 0.0}, {"y", 0.0}, {"width", 100.0}, {"height", 50.0}});
    auto result = rt::props({{"x", 0.0}, {"y", 0.0}, {"width", 0.0}, {"height", 0.0}});
    auto filter = shadow({{"angle", 0.0}, {"blurX", 16.0}, {"blurY", 4.0}});
    const rt::Dynamic args[] = {source, filter, result};
    fn(args);
    EXPECT_LT(result->get("x").asFloat(), 0.0) << "the blur reaches left";
    EXPECT_GT(result->get("width").asFloat(), 104.0)
        << "the shadow moves 4 right and blurs further";
    EXPECT_GT(result->get("height").asFloat(), 50.0);
    filter->set("inner", true);
    fn(args);
    EXPECT_EQ(result->get("width").asFloat(), 100.0) << "an inner shadow stays inside";
    EXPECT_EQ(result->get("x").asFloat(), 0.0);
}

}  // namespace
}  // namespace limn::sdl
