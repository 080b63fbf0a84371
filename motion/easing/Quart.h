#pragma once
// The quartic curves: Quart::easeOut() and friends; k to the fourth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/QuartEaseIn.h"
#include "motion/easing/QuartEaseInOut.h"
#include "motion/easing/QuartEaseOut.h"

namespace com::quillfern::motion::easing {

class Quart : public CurveSet<QuartEaseIn, QuartEaseOut, QuartEaseInOut> {};

}  // namespace com::quillfern::motion::easing
