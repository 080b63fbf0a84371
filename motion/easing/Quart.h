#pragma once
// The quartic curves: Quart::easeOut() and friends; k to the fourth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuartEaseIn final : public GuardedCurve<curves::quartIn> {
public:
    RT_DECLARE_CLASS
};

class QuartEaseOut final : public GuardedCurve<curves::outOf<curves::quartIn>> {
public:
    RT_DECLARE_CLASS
};

class QuartEaseInOut final : public GuardedCurve<curves::inOutOf<curves::quartIn>> {
public:
    RT_DECLARE_CLASS
};

class Quart : public CurveSet<QuartEaseIn, QuartEaseOut, QuartEaseInOut> {};

}  // namespace com::quillfern::motion::easing
