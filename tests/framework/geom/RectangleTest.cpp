#include <gtest/gtest.h>

#include <numbers>

#include "framework/geom/Rectangle.h"

namespace limn::geom {
namespace {

void expectRect(const Rectangle& r, double x, double y, double w, double h) {
    EXPECT_TRUE(r.equals(Rectangle(x, y, w, h)))
        << "got (" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

TEST(RectangleContains, LeftAndTopEdgesInsideRightAndBottomOutside) {
    Rectangle r(0, 0, 10, 10);
    EXPECT_TRUE(r.contains(0, 0));
    EXPECT_TRUE(r.contains(9.999, 9.999));
    EXPECT_FALSE(r.contains(10, 5));
    EXPECT_FALSE(r.contains(5, 10));
    EXPECT_FALSE(r.contains(-0.001, 5));
    EXPECT_TRUE(r.containsPoint(Point(5, 5)));
}

TEST(RectangleContains, ContainsRectNeedsBottomRightStrictlyInside) {
    Rectangle r(0, 0, 10, 10);
    EXPECT_FALSE(r.containsRect(r)) << "a rectangle does not contain itself";
    EXPECT_FALSE(r.containsRect(Rectangle(5, 5, 5, 1))) << "touches the right edge";
    EXPECT_TRUE(r.containsRect(Rectangle(0, 0, 9, 9)));
    EXPECT_FALSE(r.containsRect(Rectangle(-1, 0, 5, 5)));
}

TEST(RectangleIntersection, TouchingEdgesDoNotIntersect) {
    Rectangle r(0, 0, 10, 10);
    Rectangle beside(10, 0, 5, 5);
    EXPECT_FALSE(r.intersects(beside));
    expectRect(*r.intersection(beside), 0, 0, 0, 0);
    Rectangle below(0, 10, 5, 5);
    EXPECT_FALSE(r.intersects(below));
    expectRect(*r.intersection(below), 0, 0, 0, 0);
}

TEST(RectangleIntersection, OverlapGivesTheCommonPart) {
    Rectangle r(0, 0, 10, 10);
    Rectangle other(5, -5, 10, 10);
    EXPECT_TRUE(r.intersects(other));
    EXPECT_TRUE(other.intersects(r));
    expectRect(*r.intersection(other), 5, 0, 5, 5);
}

TEST(RectangleUnion, EmptyRectanglesStillStretchTheUnion) {
    Rectangle r(0, 0, 10, 10);
    expectRect(*r.union_(Rectangle(100, 100, 0, 0)), 0, 0, 100, 100);
    expectRect(*Rectangle().union_(Rectangle(5, 5, 10, 10)), 0, 0, 15, 15);
    expectRect(r, 0, 0, 10, 10);
}

TEST(RectangleEmpty, OnlyZeroWidthAndZeroHeightIsEmpty) {
    EXPECT_TRUE(Rectangle().isEmpty());
    EXPECT_TRUE(Rectangle(5, 5, 0, 0).isEmpty());
    EXPECT_FALSE(Rectangle(0, 0, 0, 10).isEmpty());
    EXPECT_FALSE(Rectangle(0, 0, -5, -5).isEmpty());
    Rectangle r(1, 2, 3, 4);
    r.setEmpty();
    expectRect(r, 0, 0, 0, 0);
}

TEST(RectangleEdges, SetLeftAndTopKeepTheOppositeEdge) {
    Rectangle r(0, 0, 10, 10);
    EXPECT_EQ(r.set_left(2), 2);
    expectRect(r, 2, 0, 8, 10);
    r.set_top(-5);
    expectRect(r, 2, -5, 8, 15);
    EXPECT_EQ(r.get_right(), 10);
    EXPECT_EQ(r.get_bottom(), 10);
}

TEST(RectangleEdges, SetRightAndBottomMoveOnlyThatEdge) {
    Rectangle r(2, 3, 10, 10);
    r.set_right(4);
    r.set_bottom(1);
    expectRect(r, 2, 3, 2, -2);
}

TEST(RectangleCorners, SettingTopLeftMovesTheRectangle) {
    Rectangle r(0, 0, 10, 10);
    Point p(2, 2);
    auto returned = r.set_topLeft(p);
    expectRect(r, 2, 2, 10, 10);
    EXPECT_NE(returned.get(), &p) << "setter returns a copy";
    EXPECT_TRUE(returned->equals(p));
}

TEST(RectangleCorners, SettingBottomRightResizes) {
    Rectangle r(2, 2, 10, 10);
    r.set_bottomRight(Point(5, 20));
    expectRect(r, 2, 2, 3, 18);
    EXPECT_TRUE(r.get_bottomRight()->equals(Point(5, 20)));
    r.set_size(Point(7, 8));
    expectRect(r, 2, 2, 7, 8);
}

TEST(RectangleTransform, BoundingBoxOfMappedCorners) {
    Rectangle r(0, 0, 10, 20);
    Matrix rotated;
    rotated.rotate(std::numbers::pi / 2);  // (x, y) -> (-y, x)
    rotated.translate(100, 0);
    auto box = r.transform(rotated);
    EXPECT_NEAR(box->x, 80, 1e-9);
    EXPECT_NEAR(box->y, 0, 1e-9);
    EXPECT_NEAR(box->width, 20, 1e-9);
    EXPECT_NEAR(box->height, 10, 1e-9);
}

TEST(RectangleTransform, NegativeScaleFlipsIntoAPositiveBox) {
    auto box = Rectangle(1, 1, 2, 3).transform(Matrix(-1, 0, 0, 2, 5, 0));
    expectRect(*box, 2, 2, 2, 6);
}

TEST(RectangleExtendBounds, GrowsToCoverTheOther) {
    Rectangle r(10, 10, 10, 10);
    r.extendBounds(Rectangle(0, 15, 5, 30));
    expectRect(r, 0, 10, 20, 35);
    r.extendBounds(Rectangle(5, 12, 1, 1));  // already covered
    expectRect(r, 0, 10, 20, 35);
}

TEST(RectangleInflate, GrowsOnBothSides) {
    Rectangle r(10, 10, 10, 10);
    r.inflate(2, 3);
    expectRect(r, 8, 7, 14, 16);
    r.inflatePoint(Point(-2, -3));
    r.offsetPoint(Point(1, 1));
    expectRect(r, 11, 11, 10, 10);
}

}  // namespace
}  // namespace limn::geom
