#pragma once
// A mutable 2-D point or vector of two doubles, readable and writable by name
// ("x", "y"); "length" is a read-only property. Methods that make a new point
// return a fresh shared object; the others change the receiver.
//
//   auto p = std::make_shared<Point>(3, 4);
//   p->normalize(10);  // (6, 8)

#include <memory>

#include "runtime/Accessors.h"
#include "runtime/Object.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_POINT_PROPERTIES(RW, RO) RO(length, Length)

namespace limn::geom {

class Point : public rt::Object {
public:
    RT_DECLARE_CLASS

    double x;
    double y;

    explicit Point(double x = 0, double y = 0);

    [[nodiscard]] std::shared_ptr<Point> add(const Point& v) const;
    [[nodiscard]] std::shared_ptr<Point> clone() const;
    [[nodiscard]] bool equals(const Point& p) const;
    [[nodiscard]] double get_length() const;
    LIMN_POINT_PROPERTIES(RT_PLAIN_ACCESSOR_RW, RT_PLAIN_ACCESSOR_RO)
    // Scales to the given length; the zero point becomes (thickness, 0).
    void normalize(double thickness);
    void offset(double dx, double dy);
    [[nodiscard]] std::shared_ptr<Point> subtract(const Point& v) const;

    [[nodiscard]] static double distance(const Point& p1, const Point& p2);
    // f = 1 gives p1, f = 0 gives p2.
    [[nodiscard]] static std::shared_ptr<Point> interpolate(const Point& p1, const Point& p2,
                                                            double f);
    [[nodiscard]] static std::shared_ptr<Point> polar(double len, double angle);
};

}  // namespace limn::geom
