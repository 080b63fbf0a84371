#pragma once
// The back curves: Back::easeOut() and friends; they overshoot: "in" pulls back first, "out" goes
// past the end and returns.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class BackEaseIn final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::backIn>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::backIn>(t, b, c, d);
    }
};

class BackEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::outOf<curves::backIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::outOf<curves::backIn>>(t, b, c, d);
    }
};

class BackEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        return curves::guarded<curves::inOutOf<curves::backIn>>(k);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<curves::inOutOf<curves::backIn>>(t, b, c, d);
    }
};

class Back : public CurveSet<BackEaseIn, BackEaseOut, BackEaseInOut> {};

}  // namespace com::quillfern::motion::easing
