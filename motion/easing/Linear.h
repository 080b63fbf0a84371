#pragma once
// The straight line: Linear::easeNone(). Its in, out and in-out forms are the
// same line, so that any family name can be swapped for Linear.

#include <memory>

#include "motion/easing/CurveSet.h"
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

class Linear : public CurveSet<LinearEaseNone, LinearEaseNone, LinearEaseNone> {
public:
    static std::shared_ptr<IEasing> getEaseNone() { return std::make_shared<LinearEaseNone>(); }
    static std::shared_ptr<IEasing> easeNone() { return getEaseNone(); }
};

}  // namespace com::quillfern::motion::easing
