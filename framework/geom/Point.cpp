#include "framework/geom/Point.h"

#include <cmath>

namespace limn::geom {

const rt::ClassInfo& Point::staticClass() {
    using Self = Point;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.geom.Point", &rt::Object::staticClass())
            .field<&Point::x>("x")
            .field<&Point::y>("y") LIMN_POINT_PROPERTIES(RT_PLAIN_BIND_RW, RT_PLAIN_BIND_RO)
            .method<&Point::add>("add")
            .method<&Point::clone>("clone")
            .method<&Point::equals>("equals")
            .method<&Point::get_length>("get_length")
            .method<&Point::normalize>("normalize")
            .method<&Point::offset>("offset")
            .method<&Point::subtract>("subtract");
    return info;
}

Point::Point(double x, double y) : x(x), y(y) {}

std::shared_ptr<Point> Point::add(const Point& v) const {
    return std::make_shared<Point>(v.x + x, v.y + y);
}

std::shared_ptr<Point> Point::clone() const {
    return std::make_shared<Point>(x, y);
}

bool Point::equals(const Point& p) const {
    return x == p.x && y == p.y;
}

double Point::get_length() const {
    return std::sqrt(x * x + y * y);
}

void Point::normalize(double thickness) {
    if (x == 0 && y == 0) {
        x = thickness;
        return;
    }
    double factor = thickness / std::sqrt(x * x + y * y);
    x *= factor;
    y *= factor;
}

void Point::offset(double dx, double dy) {
    x += dx;
    y += dy;
}

std::shared_ptr<Point> Point::subtract(const Point& v) const {
    return std::make_shared<Point>(x - v.x, y - v.y);
}

double Point::distance(const Point& p1, const Point& p2) {
    double dx = p1.x - p2.x;
    double dy = p1.y - p2.y;
    return std::sqrt(dx * dx + dy * dy);
}

std::shared_ptr<Point> Point::interpolate(const Point& p1, const Point& p2, double f) {
    return std::make_shared<Point>(p2.x + f * (p1.x - p2.x), p2.y + f * (p1.y - p2.y));
}

std::shared_ptr<Point> Point::polar(double len, double angle) {
    return std::make_shared<Point>(len * std::cos(angle), len * std::sin(angle));
}

}  // namespace limn::geom
