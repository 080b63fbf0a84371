#pragma once
// The exponential curves: Expo::easeOut() and friends.

#include "motion/easing/CurveSet.h"
#include "motion/easing/ExpoEaseIn.h"
#include "motion/easing/ExpoEaseInOut.h"
#include "motion/easing/ExpoEaseOut.h"

namespace com::quillfern::motion::easing {

class Expo : public CurveSet<ExpoEaseIn, ExpoEaseOut, ExpoEaseInOut> {};

}  // namespace com::quillfern::motion::easing
