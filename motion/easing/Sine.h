#pragma once
// The sine curves: Sine::easeOut() and friends; a quarter wave: the gentlest of the curves.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class SineEaseIn final : public GuardedCurve<curves::sineIn> {
public:
    RT_DECLARE_CLASS
};

class SineEaseOut final : public GuardedCurve<curves::outOf<curves::sineIn>> {
public:
    RT_DECLARE_CLASS
};

class SineEaseInOut final : public GuardedCurve<curves::inOutOf<curves::sineIn>> {
public:
    RT_DECLARE_CLASS
};

class Sine : public CurveSet<SineEaseIn, SineEaseOut, SineEaseInOut> {};

}  // namespace com::quillfern::motion::easing
