#pragma once

#include <cmath>

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

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

}  // namespace com::quillfern::motion::easing
