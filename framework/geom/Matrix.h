#pragma once
// A mutable 2-D affine transform of six doubles, readable and writable by name
// ("a", "b", "c", "d", "tx", "ty"). It maps (x, y) to
// (a*x + c*y + tx, b*x + d*y + ty). Angles are in radians. Methods change the
// matrix in place unless they return a new object.
//
//   auto m = std::make_shared<Matrix>();
//   m->createGradientBox(200, 100, std::nullopt, 10.0);

#include <memory>
#include <optional>

#include "framework/geom/Point.h"
#include "runtime/Object.h"

namespace limn::geom {

class Matrix : public rt::Object {
public:
    RT_DECLARE_CLASS

    double a;
    double b;
    double c;
    double d;
    double tx;
    double ty;

    explicit Matrix(double a = 1, double b = 0, double c = 0, double d = 1, double tx = 0,
                    double ty = 0);

    [[nodiscard]] std::shared_ptr<Matrix> clone() const;
    // Sizes the matrix for a gradient fill over width x height; rotation, tx
    // and ty are optional (absent means not given).
    void createGradientBox(double width, double height, std::optional<double> rotation = {},
                           std::optional<double> tx = {}, std::optional<double> ty = {});
    // Opposite sense to rotate(): b = -sin(angle) * scale, c = sin(angle) * scale.
    // Leaves tx and ty alone.
    void setRotation(double angle, double scale = 1);
    void identity();
    // A zero determinant zeroes a, b, c, d and negates tx, ty.
    void invert();
    [[nodiscard]] std::shared_ptr<Point> transformPoint(const Point& p) const;
    void translate(double dx, double dy);
    void rotate(double angle);
    void scale(double sx, double sy);
    // This matrix followed by m.
    void concat(const Matrix& m);
    // What concat(m) would make of this matrix, as a new one; this one is unchanged.
    [[nodiscard]] std::shared_ptr<Matrix> mult(const Matrix& m) const;

private:
    void setRotationByName(double angle, const rt::Dynamic& scale);
};

}  // namespace limn::geom
