#pragma once
// The quartic curves: Quart::easeOut() and friends; k to the fourth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuartEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::quartIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::quartIn>(t, b, c, d);
    }
};

class QuartEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::outOf<curves::quartIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::outOf<curves::quartIn>>(t, b, c, d);
    }
};

class QuartEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::quartIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::quartIn>>(t, b, c, d);
    }
};

class Quart : public CurveSet<QuartEaseIn, QuartEaseOut, QuartEaseInOut> {};

}  // namespace com::quillfern::motion::easing
