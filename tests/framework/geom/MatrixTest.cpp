#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/geom/Matrix.h"

namespace limn::geom {
namespace {

constexpr double kPi = std::numbers::pi;

void expectMatrix(const Matrix& m, double a, double b, double c, double d, double tx, double ty) {
    EXPECT_NEAR(m.a, a, 1e-12) << "a";
    EXPECT_NEAR(m.b, b, 1e-12) << "b";
    EXPECT_NEAR(m.c, c, 1e-12) << "c";
    EXPECT_NEAR(m.d, d, 1e-12) << "d";
    EXPECT_NEAR(m.tx, tx, 1e-12) << "tx";
    EXPECT_NEAR(m.ty, ty, 1e-12) << "ty";
}

TEST(Matrix, DefaultIsIdentity) {
    expectMatrix(Matrix(), 1, 0, 0, 1, 0, 0);
}

TEST(Matrix, InvertWithZeroDeterminantZeroesLinearPartAndNegatesTranslation) {
    Matrix m(0, 0, 0, 0, 5, -3);
    m.invert();
    expectMatrix(m, 0, 0, 0, 0, -5, 3);
    Matrix singular(2, 4, 1, 2, 1, 1);  // rows proportional: determinant exactly 0
    singular.invert();
    expectMatrix(singular, 0, 0, 0, 0, -1, -1);
}

TEST(Matrix, InvertUndoesTheTransform) {
    Matrix m(2, 1, -1, 3, 10, 20);
    auto inverse = m.clone();
    inverse->invert();
    auto p = inverse->transformPoint(*m.transformPoint(Point(7, -4)));
    EXPECT_NEAR(p->x, 7, 1e-12);
    EXPECT_NEAR(p->y, -4, 1e-12);
}

TEST(Matrix, SetRotationHasTheOppositeSenseOfRotate) {
    Matrix set;
    set.translate(3, 4);
    set.setRotation(kPi / 2);
    expectMatrix(set, 0, -1, 1, 0, 3, 4);  // tx, ty untouched

    Matrix rotated;
    rotated.rotate(kPi / 2);
    expectMatrix(rotated, 0, 1, -1, 0, 0, 0);
}

TEST(Matrix, SetRotationAppliesScale) {
    Matrix m;
    m.setRotation(0, 3);
    expectMatrix(m, 3, 0, 0, 3, 0, 0);
}

TEST(Matrix, RotateAlsoTurnsTheTranslation) {
    Matrix m(1, 0, 0, 1, 10, 0);
    m.rotate(kPi / 2);
    EXPECT_NEAR(m.tx, 0, 1e-12);
    EXPECT_NEAR(m.ty, 10, 1e-12);
}

TEST(Matrix, ScaleMultipliesColumnsAndTranslation) {
    Matrix m(1, 2, 3, 4, 5, 6);
    m.scale(2, 10);
    expectMatrix(m, 2, 20, 6, 40, 10, 60);
}

TEST(Matrix, CreateGradientBoxWithoutOptions) {
    Matrix m(9, 9, 9, 9, 9, 9);
    m.createGradientBox(1638.4, 819.2);
    expectMatrix(m, 1, 0, 0, 0.5, 819.2, 409.6);
}

TEST(Matrix, CreateGradientBoxAddsGivenOffsets) {
    Matrix m;
    m.createGradientBox(1638.4, 819.2, std::nullopt, 10.0);
    EXPECT_NEAR(m.tx, 829.2, 1e-9);
    EXPECT_NEAR(m.ty, 409.6, 1e-9);
    m.createGradientBox(1638.4, 819.2, 0.0, std::nullopt, -9.6);
    EXPECT_NEAR(m.ty, 400, 1e-9);
}

TEST(Matrix, CreateGradientBoxRotationUsesScaledValues) {
    Matrix m;
    m.createGradientBox(1638.4, 819.2, kPi / 2);
    // b = d*sin, c = -a*sin, then a and d scaled by cos.
    expectMatrix(m, 0, 0.5, -1, 0, 819.2, 409.6);
}

TEST(Matrix, MultLeavesReceiverAndConcatChangesItToTheSameValues) {
    Matrix m(1, 2, 3, 4, 5, 6);
    Matrix other(0, 1, -1, 0, 10, 20);
    auto product = m.mult(other);
    expectMatrix(m, 1, 2, 3, 4, 5, 6);
    m.concat(other);
    expectMatrix(m, product->a, product->b, product->c, product->d, product->tx, product->ty);
    // This followed by other: a' = a*m.a + b*m.c, tx' = tx*m.a + ty*m.c + m.tx.
    expectMatrix(m, -2, 1, -4, 3, 4, 25);
}

TEST(Matrix, ConcatAppliesReceiverFirst) {
    Matrix m;
    m.translate(10, 0);
    m.concat(Matrix(2, 0, 0, 2, 0, 0));
    auto p = m.transformPoint(Point(1, 1));
    EXPECT_EQ(p->x, 22);  // (1 + 10) * 2, not 1 * 2 + 10
    EXPECT_EQ(p->y, 2);
}

TEST(Matrix, CloneIsIndependent) {
    Matrix m(1, 2, 3, 4, 5, 6);
    auto copy = m.clone();
    copy->a = 100;
    EXPECT_EQ(m.a, 1);
    EXPECT_EQ(copy->b, 2);
}

}  // namespace
}  // namespace limn::geom
