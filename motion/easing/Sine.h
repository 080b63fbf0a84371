#pragma once
// The sine curves: Sine::easeOut() and friends; a quarter wave: the gentlest of the curves.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class SineEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::sineIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::sineIn>(t, b, c, d);
    }
};

class SineEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::outOf<curves::sineIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::outOf<curves::sineIn>>(t, b, c, d);
    }
};

class SineEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::sineIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::sineIn>>(t, b, c, d);
    }
};

class Sine : public CurveSet<SineEaseIn, SineEaseOut, SineEaseInOut> {};

}  // namespace com::quillfern::motion::easing
