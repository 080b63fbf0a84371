#pragma once
// The sine curves: Sine::easeOut() and friends; a quarter wave: the gentlest of the curves.

#include "motion/easing/CurveSet.h"
#include "motion/easing/SineEaseIn.h"
#include "motion/easing/SineEaseInOut.h"
#include "motion/easing/SineEaseOut.h"

namespace com::quillfern::motion::easing {

class Sine : public CurveSet<SineEaseIn, SineEaseOut, SineEaseInOut> {};

}  // namespace com::quillfern::motion::easing
