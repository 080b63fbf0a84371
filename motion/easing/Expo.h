#pragma once
// The exponential curves: Expo::easeOut() and friends.

#include <cmath>

#include "motion/easing/CurveSet.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

// Exactly 0 at the start, then about 1/1024 just after it: the guard is a jump.
class ExpoEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return k == 0 ? 0 : std::exp2(10 * (k - 1));
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return t == 0 ? b : c * std::exp2(10 * (t / d - 1)) + b;
    }
};

// Exactly 1 at the end, so a finished tween lands on its end value.
class ExpoEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return k == 1 ? 1 : 1 - std::exp2(-10 * k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return t == d ? b + c : c * (1 - std::exp2(-10 * t / d)) + b;
    }
};

class ExpoEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        if (k == 0) return 0;
        if (k == 1) return 1;
        double h = 2 * k;
        if (h < 1) return 0.5 * std::exp2(10 * (h - 1));
        return 0.5 * (2 - std::exp2(-10 * (h - 1)));
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        if (t == 0) return b;
        if (t == d) return b + c;
        double h = t / (d / 2);
        if (h < 1) return c / 2 * std::exp2(10 * (h - 1)) + b;
        return c / 2 * (2 - std::exp2(-10 * (h - 1))) + b;
    }
};

class Expo : public CurveSet<ExpoEaseIn, ExpoEaseOut, ExpoEaseInOut> {};

}  // namespace com::quillfern::motion::easing
