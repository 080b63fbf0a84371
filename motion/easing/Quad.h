#pragma once
// The quadratic curves: Quad::easeOut() and friends.

#include "motion/easing/CurveSet.h"
#include "motion/easing/QuadEaseIn.h"
#include "motion/easing/QuadEaseInOut.h"
#include "motion/easing/QuadEaseOut.h"

namespace com::quillfern::motion::easing {

class Quad : public CurveSet<QuadEaseIn, QuadEaseOut, QuadEaseInOut> {};

}  // namespace com::quillfern::motion::easing
