#include "framework/geom/Rectangle.h"

#include <algorithm>

namespace limn::geom {

const rt::ClassInfo& Rectangle::staticClass() {
    using R = Rectangle;
    using Self = Rectangle;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.geom.Rectangle", &rt::Object::staticClass())
            .field<&R::x>("x")
            .field<&R::y>("y")
            .field<&R::width>("width")
            .field<&R::height>("height")
                LIMN_RECTANGLE_PROPERTIES(RT_PLAIN_BIND_RW, RT_PLAIN_BIND_RO)
            .method<&R::get_left>("get_left")
            .method<&R::set_left>("set_left")
            .method<&R::get_right>("get_right")
            .method<&R::set_right>("set_right")
            .method<&R::get_top>("get_top")
            .method<&R::set_top>("set_top")
            .method<&R::get_bottom>("get_bottom")
            .method<&R::set_bottom>("set_bottom")
            .method<&R::get_topLeft>("get_topLeft")
            .method<&R::set_topLeft>("set_topLeft")
            .method<&R::get_size>("get_size")
            .method<&R::set_size>("set_size")
            .method<&R::get_bottomRight>("get_bottomRight")
            .method<&R::set_bottomRight>("set_bottomRight")
            .method<&R::clone>("clone")
            .method<&R::contains>("contains")
            .method<&R::containsPoint>("containsPoint")
            .method<&R::containsRect>("containsRect")
            .method<&R::equals>("equals")
            .method<&R::inflate>("inflate")
            .method<&R::inflatePoint>("inflatePoint")
            .method<&R::intersection>("intersection")
            .method<&R::intersects>("intersects")
            .method<&R::union_>("union")
            .method<&R::isEmpty>("isEmpty")
            .method<&R::offset>("offset")
            .method<&R::offsetPoint>("offsetPoint")
            .method<&R::setEmpty>("setEmpty")
            .method<&R::transform>("transform")
            .method<&R::extendBounds>("extendBounds");
    return info;
}

Rectangle::Rectangle(double x, double y, double width, double height)
    : x(x), y(y), width(width), height(height) {}

double Rectangle::set_left(double v) {
    width -= v - x;
    x = v;
    return v;
}

double Rectangle::set_right(double v) {
    width = v - x;
    return v;
}

double Rectangle::set_top(double v) {
    height -= v - y;
    y = v;
    return v;
}

double Rectangle::set_bottom(double v) {
    height = v - y;
    return v;
}

std::shared_ptr<Point> Rectangle::get_topLeft() const {
    return std::make_shared<Point>(x, y);
}

std::shared_ptr<Point> Rectangle::set_topLeft(const Point& p) {
    x = p.x;
    y = p.y;
    return p.clone();
}

std::shared_ptr<Point> Rectangle::get_size() const {
    return std::make_shared<Point>(width, height);
}

std::shared_ptr<Point> Rectangle::set_size(const Point& p) {
    width = p.x;
    height = p.y;
    return p.clone();
}

std::shared_ptr<Point> Rectangle::get_bottomRight() const {
    return std::make_shared<Point>(x + width, y + height);
}

std::shared_ptr<Point> Rectangle::set_bottomRight(const Point& p) {
    width = p.x - x;
    height = p.y - y;
    return p.clone();
}

std::shared_ptr<Rectangle> Rectangle::clone() const {
    return std::make_shared<Rectangle>(x, y, width, height);
}

bool Rectangle::contains(double px, double py) const {
    return px >= x && py >= y && px < get_right() && py < get_bottom();
}

bool Rectangle::containsPoint(const Point& p) const {
    return contains(p.x, p.y);
}

bool Rectangle::containsRect(const Rectangle& r) const {
    return contains(r.x, r.y) && contains(r.get_right(), r.get_bottom());
}

bool Rectangle::equals(const Rectangle& r) const {
    return x == r.x && y == r.y && width == r.width && height == r.height;
}

void Rectangle::inflate(double dx, double dy) {
    x -= dx;
    width += 2 * dx;
    y -= dy;
    height += 2 * dy;
}

void Rectangle::inflatePoint(const Point& p) {
    inflate(p.x, p.y);
}

std::shared_ptr<Rectangle> Rectangle::intersection(const Rectangle& r) const {
    double x0 = std::max(x, r.x);
    double right0 = std::min(get_right(), r.get_right());
    if (x0 >= right0) return std::make_shared<Rectangle>();
    double y0 = std::max(y, r.y);
    double bottom0 = std::min(get_bottom(), r.get_bottom());
    if (y0 >= bottom0) return std::make_shared<Rectangle>();
    return std::make_shared<Rectangle>(x0, y0, right0 - x0, bottom0 - y0);
}

bool Rectangle::intersects(const Rectangle& r) const {
    return std::max(x, r.x) < std::min(get_right(), r.get_right()) &&
           std::max(y, r.y) < std::min(get_bottom(), r.get_bottom());
}

std::shared_ptr<Rectangle> Rectangle::union_(const Rectangle& r) const {
    double x0 = std::min(x, r.x);
    double y0 = std::min(y, r.y);
    double right0 = std::max(get_right(), r.get_right());
    double bottom0 = std::max(get_bottom(), r.get_bottom());
    return std::make_shared<Rectangle>(x0, y0, right0 - x0, bottom0 - y0);
}

bool Rectangle::isEmpty() const {
    return width == 0 && height == 0;
}

void Rectangle::offset(double dx, double dy) {
    x += dx;
    y += dy;
}

void Rectangle::offsetPoint(const Point& p) {
    offset(p.x, p.y);
}

void Rectangle::setEmpty() {
    x = y = width = height = 0;
}

std::shared_ptr<Rectangle> Rectangle::transform(const Matrix& m) const {
    const double xs[] = {x, x + width, x, x + width};
    const double ys[] = {y, y, y + height, y + height};
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        double px = m.a * xs[i] + m.c * ys[i];
        double py = m.b * xs[i] + m.d * ys[i];
        if (i == 0 || px < minX) minX = px;
        if (i == 0 || px > maxX) maxX = px;
        if (i == 0 || py < minY) minY = py;
        if (i == 0 || py > maxY) maxY = py;
    }
    return std::make_shared<Rectangle>(minX + m.tx, minY + m.ty, maxX - minX, maxY - minY);
}

void Rectangle::extendBounds(const Rectangle& r) {
    if (x > r.x) set_left(r.x);
    if (y > r.y) set_top(r.y);
    if (r.get_right() > get_right()) set_right(r.get_right());
    if (r.get_bottom() > get_bottom()) set_bottom(r.get_bottom());
}

}  // namespace limn::geom
