#pragma once
// The quintic curves: Quint::easeOut() and friends; k to the fifth.

#include "motion/easing/CurveSet.h"
#include "motion/easing/QuintEaseIn.h"
#include "motion/easing/QuintEaseInOut.h"
#include "motion/easing/QuintEaseOut.h"

namespace com::quillfern::motion::easing {

class Quint : public CurveSet<QuintEaseIn, QuintEaseOut, QuintEaseInOut> {};

}  // namespace com::quillfern::motion::easing
