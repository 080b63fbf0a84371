#pragma once

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuadEaseInOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override {
        double h = 2 * k;
        if (h < 1) return 0.5 * h * h;
        double m = h - 1;
        return -0.5 * (m * (m - 2) - 1);
    }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        double h = t / (d / 2);
        if (h < 1) return c / 2 * h * h + b;
        double m = h - 1;
        return -c / 2 * (m * (m - 2) - 1) + b;
    }
};

}  // namespace com::quillfern::motion::easing
