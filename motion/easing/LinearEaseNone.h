#pragma once

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

// Constant speed: the change is applied in proportion to the time.
class LinearEaseNone final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override { return k; }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        if (t == d) return b + c;
        return b + c * (t / d);
    }
};

}  // namespace com::quillfern::motion::easing
