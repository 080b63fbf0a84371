#pragma once
// The elastic curves: Elastic::easeOut() and friends; a spring: they swing past both ends of the
// change.

#include "motion/easing/CurveSet.h"
#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

class ElasticEaseIn final : public GuardedCurve<curves::elasticIn> {
public:
    RT_DECLARE_CLASS
};

class ElasticEaseOut final : public GuardedCurve<curves::outOf<curves::elasticIn>> {
public:
    RT_DECLARE_CLASS
};

class ElasticEaseInOut final : public GuardedCurve<curves::inOutOf<curves::elasticIn>> {
public:
    RT_DECLARE_CLASS
};

class Elastic : public CurveSet<ElasticEaseIn, ElasticEaseOut, ElasticEaseInOut> {};

}  // namespace com::quillfern::motion::easing
