#pragma once
// The straight line: Linear::easeNone(). Its in, out and in-out forms are the
// same line, so that any family name can be swapped for Linear.

#include <memory>

#include "motion/easing/CurveSet.h"
#include "motion/easing/LinearEaseNone.h"

namespace com::quillfern::motion::easing {

class Linear : public CurveSet<LinearEaseNone, LinearEaseNone, LinearEaseNone> {
public:
    static std::shared_ptr<IEasing> getEaseNone() { return std::make_shared<LinearEaseNone>(); }
    static std::shared_ptr<IEasing> easeNone() { return getEaseNone(); }
};

}  // namespace com::quillfern::motion::easing
