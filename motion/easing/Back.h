#pragma once
// The back curves: Back::easeOut() and friends; they overshoot: "in" pulls back first, "out" goes
// past the end and returns.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class BackEaseIn final : public GuardedCurve<curves::backIn> {
public:
    RT_DECLARE_CLASS
};

class BackEaseOut final : public GuardedCurve<curves::outOf<curves::backIn>> {
public:
    RT_DECLARE_CLASS
};

class BackEaseInOut final : public GuardedCurve<curves::inOutOf<curves::backIn>> {
public:
    RT_DECLARE_CLASS
};

class Back : public CurveSet<BackEaseIn, BackEaseOut, BackEaseInOut> {};

}  // namespace com::quillfern::motion::easing
