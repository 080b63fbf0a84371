#pragma once
// The bounce curves: Bounce::easeOut() and friends; a dropped ball: "out" bounces on the end value.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class BounceEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::bounceIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::bounceIn>(t, b, c, d);
    }
};

class BounceEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::bounceOut>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::bounceOut>(t, b, c, d);
    }
};

class BounceEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::bounceIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::bounceIn>>(t, b, c, d);
    }
};

class Bounce : public CurveSet<BounceEaseIn, BounceEaseOut, BounceEaseInOut> {};

}  // namespace com::quillfern::motion::easing
