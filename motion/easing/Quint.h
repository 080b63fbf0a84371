#pragma once
// The quintic curves: Quint::easeOut() and friends; k to the fifth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class QuintEaseIn final : public GuardedCurve<curves::quintIn> {
public:
    RT_DECLARE_CLASS
};

class QuintEaseOut final : public GuardedCurve<curves::outOf<curves::quintIn>> {
public:
    RT_DECLARE_CLASS
};

class QuintEaseInOut final : public GuardedCurve<curves::inOutOf<curves::quintIn>> {
public:
    RT_DECLARE_CLASS
};

class Quint : public CurveSet<QuintEaseIn, QuintEaseOut, QuintEaseInOut> {};

}  // namespace com::quillfern::motion::easing
