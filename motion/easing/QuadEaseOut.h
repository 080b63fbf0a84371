#pragma once

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuadEaseOut final : public IEasing {
public:
    RT_DECLARE_CLASS
    [[nodiscard]] double calculate(double k) const override { return -k * (k - 2); }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return -c * (t / d) * (t / d - 2) + b;
    }
};

}  // namespace com::quillfern::motion::easing
