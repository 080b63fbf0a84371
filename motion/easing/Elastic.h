#pragma once
// The elastic curves: Elastic::easeOut() and friends; a spring: they swing past both ends of the
// change.

#include "motion/easing/CurveSet.h"
#include "motion/easing/ElasticEaseIn.h"
#include "motion/easing/ElasticEaseInOut.h"
#include "motion/easing/ElasticEaseOut.h"

namespace com::quillfern::motion::easing {

class Elastic : public CurveSet<ElasticEaseIn, ElasticEaseOut, ElasticEaseInOut> {};

}  // namespace com::quillfern::motion::easing
