#pragma once
// The quadratic curves: Quad::easeOut() and friends.

#include "motion/easing/CurveSet.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuadEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override { return k * k; }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return c * (t / d) * (t / d) + b;
    }
};

class QuadEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override { return -k * (k - 2); }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return -c * (t / d) * (t / d - 2) + b;
    }
};

class QuadEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        double h = 2 * k;
        if (h < 1) return 0.5 * h * h;
        double m = h - 1;
        return -0.5 * (m * (m - 2) - 1);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        double h = t / (d / 2);
        if (h < 1) return c / 2 * h * h + b;
        double m = h - 1;
        return -c / 2 * (m * (m - 2) - 1) + b;
    }
};

class Quad : public CurveSet<QuadEaseIn, QuadEaseOut, QuadEaseInOut> {};

}  // namespace com::quillfern::motion::easing
