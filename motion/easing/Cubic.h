#pragma once
// The cubic curves: Cubic::easeOut() and friends; k cubed.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class CubicEaseIn final : public GuardedCurve<curves::cubicIn> {
public:
    RT_DECLARE_CLASS
};

class CubicEaseOut final : public GuardedCurve<curves::outOf<curves::cubicIn>> {
public:
    RT_DECLARE_CLASS
};

class CubicEaseInOut final : public GuardedCurve<curves::inOutOf<curves::cubicIn>> {
public:
    RT_DECLARE_CLASS
};

class Cubic : public CurveSet<CubicEaseIn, CubicEaseOut, CubicEaseInOut> {};

}  // namespace com::quillfern::motion::easing
