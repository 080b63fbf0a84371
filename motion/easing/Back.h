#pragma once
// The back curves: Back::easeOut() and friends; they overshoot: "in" pulls back first, "out" goes
// past the end and returns.

#include "motion/easing/BackEaseIn.h"
#include "motion/easing/BackEaseInOut.h"
#include "motion/easing/BackEaseOut.h"
#include "motion/easing/CurveSet.h"

namespace com::quillfern::motion::easing {

class Back : public CurveSet<BackEaseIn, BackEaseOut, BackEaseInOut> {};

}  // namespace com::quillfern::motion::easing
