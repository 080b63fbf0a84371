#pragma once
// A holder of one family of curves (in, out, in-out). Every read makes a new
// instance: nothing is cached, so two reads give two equivalent objects.

#include <memory>

#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

template <class In, class Out, class InOut>
class CurveSet {
public:
    CurveSet() = delete;
    static std::shared_ptr<IEasing> getEaseIn() { return std::make_shared<In>(); }
    static std::shared_ptr<IEasing> getEaseOut() { return std::make_shared<Out>(); }
    static std::shared_ptr<IEasing> getEaseInOut() { return std::make_shared<InOut>(); }
    static std::shared_ptr<IEasing> easeIn() { return getEaseIn(); }
    static std::shared_ptr<IEasing> easeOut() { return getEaseOut(); }
    static std::shared_ptr<IEasing> easeInOut() { return getEaseInOut(); }
};

}  // namespace com::quillfern::motion::easing
