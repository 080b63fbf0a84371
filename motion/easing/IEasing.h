#pragma once
// An easing curve: maps a tween's linear progress to the fraction of the
// change applied. Curves are stateless, so one instance may serve any number of
// tweens.

#include "runtime/Object.h"

namespace com::quillfern::motion::easing {

class IEasing : public rt::Object {
public:
    RT_DECLARE_CLASS
    // k is the progress in [0, 1]; 0 maps to 0 and 1 to 1.
    [[nodiscard]] virtual double calculate(double k) const = 0;
    // The value at time t of a change c from b over duration d: b + c * calculate(t / d).
    [[nodiscard]] virtual double ease(double t, double b, double c, double d) const = 0;
};

}  // namespace com::quillfern::motion::easing
