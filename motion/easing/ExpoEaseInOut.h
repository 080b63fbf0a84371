#pragma once

#include <cmath>

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

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

}  // namespace com::quillfern::motion::easing
