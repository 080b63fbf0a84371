#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/geom/Point.h"

namespace limn::geom {
namespace {

TEST(Point, DistanceAndLength) {
    EXPECT_EQ(Point::distance(Point(0, 0), Point(3, 4)), 5);
    EXPECT_EQ(Point(-3, 4).get_length(), 5);
}

TEST(Point, NormalizeOfZeroPointPutsThicknessOnX) {
    Point p(0, 0);
    p.normalize(2);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 0);
}

TEST(Point, NormalizeScalesToThickness) {
    Point p(3, 4);
    p.normalize(10);
    EXPECT_DOUBLE_EQ(p.x, 6);
    EXPECT_DOUBLE_EQ(p.y, 8);
}

TEST(Point, InterpolateRunsFromSecondPointTowardsFirst) {
    Point p1(0, 0);
    Point p2(100, 40);
    auto q = Point::interpolate(p1, p2, 0.25);
    EXPECT_EQ(q->x, 75);
    EXPECT_EQ(q->y, 30);
    EXPECT_TRUE(Point::interpolate(p1, p2, 1)->equals(p1));
    EXPECT_TRUE(Point::interpolate(p1, p2, 0)->equals(p2));
}

TEST(Point, AddAndSubtractReturnNewPoints) {
    Point p(1, 2);
    auto sum = p.add(Point(10, 20));
    auto diff = p.subtract(Point(10, 20));
    EXPECT_TRUE(sum->equals(Point(11, 22)));
    EXPECT_TRUE(diff->equals(Point(-9, -18)));
    EXPECT_TRUE(p.equals(Point(1, 2))) << "receiver must stay unchanged";
}

TEST(Point, EqualsIsExact) {
    EXPECT_FALSE(Point(0.1 + 0.2, 0).equals(Point(0.3, 0)));
    EXPECT_TRUE(Point(-0.0, 0).equals(Point(0.0, 0)));
}

TEST(Point, PolarGivesCartesianCoordinates) {
    auto p = Point::polar(2, std::numbers::pi / 2);
    EXPECT_NEAR(p->x, 0, 1e-12);
    EXPECT_NEAR(p->y, 2, 1e-12);
}

}  // namespace
}  // namespace limn::geom
