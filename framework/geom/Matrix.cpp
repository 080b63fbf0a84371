#include "framework/geom/Matrix.h"

#include <cmath>

namespace limn::geom {

namespace {

// 1638.4 is the nominal width of a gradient in the backend's gradient space.
constexpr double kGradientSpan = 1638.4;

}  // namespace

const rt::ClassInfo& Matrix::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo("limn.geom.Matrix", &rt::Object::staticClass())
                                          .field<&Matrix::a>("a")
                                          .field<&Matrix::b>("b")
                                          .field<&Matrix::c>("c")
                                          .field<&Matrix::d>("d")
                                          .field<&Matrix::tx>("tx")
                                          .field<&Matrix::ty>("ty")
                                          .method<&Matrix::clone>("clone")
                                          .method<&Matrix::createGradientBox>("createGradientBox")
                                          .method<&Matrix::setRotationByName>("setRotation")
                                          .method<&Matrix::identity>("identity")
                                          .method<&Matrix::invert>("invert")
                                          .method<&Matrix::transformPoint>("transformPoint")
                                          .method<&Matrix::translate>("translate")
                                          .method<&Matrix::rotate>("rotate")
                                          .method<&Matrix::scale>("scale")
                                          .method<&Matrix::concat>("concat")
                                          .method<&Matrix::mult>("mult");
    return info;
}

Matrix::Matrix(double a, double b, double c, double d, double tx, double ty)
    : a(a), b(b), c(c), d(d), tx(tx), ty(ty) {}

std::shared_ptr<Matrix> Matrix::clone() const {
    return std::make_shared<Matrix>(a, b, c, d, tx, ty);
}

void Matrix::createGradientBox(double width, double height, std::optional<double> rotation,
                               std::optional<double> tx, std::optional<double> ty) {
    a = width / kGradientSpan;
    d = height / kGradientSpan;
    if (rotation && *rotation != 0) {
        double sn = std::sin(*rotation);
        double cs = std::cos(*rotation);
        b = d * sn;
        c = -a * sn;
        a *= cs;
        d *= cs;
    } else {
        b = 0;
        c = 0;
    }
    this->tx = width / 2 + tx.value_or(0);
    this->ty = height / 2 + ty.value_or(0);
}

void Matrix::setRotation(double angle, double scale) {
    a = std::cos(angle) * scale;
    d = a;
    c = std::sin(angle) * scale;
    b = -c;
}

// By name a missing or null scale takes its default of 1.
void Matrix::setRotationByName(double angle, const rt::Dynamic& scale) {
    setRotation(angle, scale.isNull() ? 1.0 : scale.asFloat());
}

void Matrix::identity() {
    a = 1;
    b = 0;
    c = 0;
    d = 1;
    tx = 0;
    ty = 0;
}

void Matrix::invert() {
    double n = a * d - b * c;
    if (n == 0) {
        a = b = c = d = 0;
        tx = -tx;
        ty = -ty;
        return;
    }
    double i = 1 / n;
    double a1 = d * i;
    double d1 = a * i;
    double b1 = -b * i;
    double c1 = -c * i;
    a = a1;
    b = b1;
    c = c1;
    d = d1;
    double tx1 = -a * tx - c * ty;
    ty = -b * tx - d * ty;
    tx = tx1;
}

std::shared_ptr<Point> Matrix::transformPoint(const Point& p) const {
    return std::make_shared<Point>(p.x * a + p.y * c + tx, p.x * b + p.y * d + ty);
}

void Matrix::translate(double dx, double dy) {
    tx += dx;
    ty += dy;
}

void Matrix::rotate(double angle) {
    double cs = std::cos(angle);
    double sn = std::sin(angle);
    double a1 = a * cs - b * sn;
    b = a * sn + b * cs;
    a = a1;
    double c1 = c * cs - d * sn;
    d = c * sn + d * cs;
    c = c1;
    double tx1 = tx * cs - ty * sn;
    ty = tx * sn + ty * cs;
    tx = tx1;
}

void Matrix::scale(double sx, double sy) {
    a *= sx;
    b *= sy;
    c *= sx;
    d *= sy;
    tx *= sx;
    ty *= sy;
}

void Matrix::concat(const Matrix& m) {
    double a1 = a * m.a + b * m.c;
    double b1 = a * m.b + b * m.d;
    double c1 = c * m.a + d * m.c;
    double d1 = c * m.b + d * m.d;
    double tx1 = tx * m.a + ty * m.c + m.tx;
    double ty1 = tx * m.b + ty * m.d + m.ty;
    a = a1;
    b = b1;
    c = c1;
    d = d1;
    tx = tx1;
    ty = ty1;
}

std::shared_ptr<Matrix> Matrix::mult(const Matrix& m) const {
    auto result = clone();
    result->concat(m);
    return result;
}

}  // namespace limn::geom
