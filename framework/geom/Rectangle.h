#pragma once
// A mutable axis-aligned rectangle of four doubles, readable and writable by
// name ("x", "y", "width", "height"), with the edge and corner properties
// "left", "right", "top", "bottom", "topLeft", "size" and "bottomRight".
// The left and top edges are inside, the right and bottom edges outside.
// Only a 0 x 0 rectangle is empty, and union() treats none as empty.

#include <memory>

#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "runtime/Accessors.h"
#include "runtime/Object.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_RECTANGLE_PROPERTIES(RW, RO) \
    RW(left, Left, double)                \
    RW(right, Right, double)              \
    RW(top, Top, double)                  \
    RW(bottom, Bottom, double)            \
    RW(topLeft, TopLeft, const Point&)    \
    RW(size, Size, const Point&)          \
    RW(bottomRight, BottomRight, const Point&)

namespace limn::geom {

class Rectangle : public rt::Object {
public:
    RT_DECLARE_CLASS

    double x;
    double y;
    double width;
    double height;

    explicit Rectangle(double x = 0, double y = 0, double width = 0, double height = 0);

    // Edge setters keep the opposite edge where it is and return v.
    [[nodiscard]] double get_left() const { return x; }
    double set_left(double v);
    [[nodiscard]] double get_right() const { return x + width; }
    double set_right(double v);
    [[nodiscard]] double get_top() const { return y; }
    double set_top(double v);
    [[nodiscard]] double get_bottom() const { return y + height; }
    double set_bottom(double v);
    [[nodiscard]] std::shared_ptr<Point> get_topLeft() const;
    // Moves the rectangle; the size stays. Returns a copy of p.
    std::shared_ptr<Point> set_topLeft(const Point& p);
    [[nodiscard]] std::shared_ptr<Point> get_size() const;
    std::shared_ptr<Point> set_size(const Point& p);
    [[nodiscard]] std::shared_ptr<Point> get_bottomRight() const;
    std::shared_ptr<Point> set_bottomRight(const Point& p);
    // Plain accessors: left() is get_left(), setLeft(v) is set_left(v), and so on.
    LIMN_RECTANGLE_PROPERTIES(RT_PLAIN_ACCESSOR_RW, RT_PLAIN_ACCESSOR_RO)

    [[nodiscard]] std::shared_ptr<Rectangle> clone() const;
    [[nodiscard]] bool contains(double px, double py) const;
    [[nodiscard]] bool containsPoint(const Point& p) const;
    // r's bottom-right corner must lie strictly inside: no rectangle contains itself.
    [[nodiscard]] bool containsRect(const Rectangle& r) const;
    [[nodiscard]] bool equals(const Rectangle& r) const;
    void inflate(double dx, double dy);
    void inflatePoint(const Point& p);
    // No overlap gives a new all-zero rectangle.
    [[nodiscard]] std::shared_ptr<Rectangle> intersection(const Rectangle& r) const;
    // Touching edges do not intersect.
    [[nodiscard]] bool intersects(const Rectangle& r) const;
    [[nodiscard]] std::shared_ptr<Rectangle> union_(const Rectangle& r) const;
    [[nodiscard]] bool isEmpty() const;
    void offset(double dx, double dy);
    void offsetPoint(const Point& p);
    void setEmpty();
    // The bounding box of the four corners mapped by m.
    [[nodiscard]] std::shared_ptr<Rectangle> transform(const Matrix& m) const;
    // Grows this rectangle to cover r as well.
    void extendBounds(const Rectangle& r);
};

}  // namespace limn::geom
