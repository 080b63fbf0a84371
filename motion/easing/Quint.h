#pragma once
// The quintic curves: Quint::easeOut() and friends; k to the fifth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuintEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::quintIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::quintIn>(t, b, c, d);
    }
};

class QuintEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::outOf<curves::quintIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::outOf<curves::quintIn>>(t, b, c, d);
    }
};

class QuintEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::quintIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::quintIn>>(t, b, c, d);
    }
};

class Quint : public CurveSet<QuintEaseIn, QuintEaseOut, QuintEaseInOut> {};

}  // namespace com::quillfern::motion::easing
