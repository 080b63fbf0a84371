#pragma once
// The bounce curves: Bounce::easeOut() and friends; a dropped ball: "out" bounces on the end value.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class BounceEaseIn final : public GuardedCurve<curves::bounceIn> {
public:
    RT_DECLARE_CLASS
};

class BounceEaseOut final : public GuardedCurve<curves::bounceOut> {
public:
    RT_DECLARE_CLASS
};

class BounceEaseInOut final : public GuardedCurve<curves::inOutOf<curves::bounceIn>> {
public:
    RT_DECLARE_CLASS
};

class Bounce : public CurveSet<BounceEaseIn, BounceEaseOut, BounceEaseInOut> {};

}  // namespace com::quillfern::motion::easing
