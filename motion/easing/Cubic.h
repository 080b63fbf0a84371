#pragma once
// The cubic curves: Cubic::easeOut() and friends; k cubed.

#include "motion/easing/CubicEaseIn.h"
#include "motion/easing/CubicEaseInOut.h"
#include "motion/easing/CubicEaseOut.h"
#include "motion/easing/CurveSet.h"

namespace com::quillfern::motion::easing {

class Cubic : public CurveSet<CubicEaseIn, CubicEaseOut, CubicEaseInOut> {};

}  // namespace com::quillfern::motion::easing
