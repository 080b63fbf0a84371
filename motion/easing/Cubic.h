#pragma once
// The cubic curves: Cubic::easeOut() and friends; k cubed.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class CubicEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::cubicIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::cubicIn>(t, b, c, d);
    }
};

class CubicEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::outOf<curves::cubicIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::outOf<curves::cubicIn>>(t, b, c, d);
    }
};

class CubicEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::cubicIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::cubicIn>>(t, b, c, d);
    }
};

class Cubic : public CurveSet<CubicEaseIn, CubicEaseOut, CubicEaseInOut> {};

}  // namespace com::quillfern::motion::easing
