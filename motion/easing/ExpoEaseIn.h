#pragma once

#include <cmath>

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

}  // namespace com::quillfern::motion::easing
