#pragma once
// The bounce curves: Bounce::easeOut() and friends; a dropped ball: "out" bounces on the end value.

#include "motion/easing/BounceEaseIn.h"
#include "motion/easing/BounceEaseInOut.h"
#include "motion/easing/BounceEaseOut.h"
#include "motion/easing/CurveSet.h"

namespace com::quillfern::motion::easing {

class Bounce : public CurveSet<BounceEaseIn, BounceEaseOut, BounceEaseInOut> {};

}  // namespace com::quillfern::motion::easing
