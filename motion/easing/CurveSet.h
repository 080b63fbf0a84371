#pragma once
// A holder of one family of curves (in, out, in-out). Every read makes a new
// instance: nothing is cached, so two reads give two equivalent objects.

#include <memory>
#include <string>

#include "motion/easing/Curves.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

// A curve of one shape (a function of k in [0, 1], see Curves.h), exactly 0 at
// the start and 1 at the end; the named curve classes derive from it.
template <double (*Shape)(double)>
class GuardedCurve : public IEasing {
public:
    [[nodiscard]] double calculate(double k) const override { return curves::guarded<Shape>(k); }
    [[nodiscard]] double ease(double t, double b, double c, double d) const override {
        return curves::guardedEase<Shape>(t, b, c, d);
    }
};

// The class table entry of curve class T, named NAME in the easing package.
template <class T>
const rt::ClassInfo& curveClass(const char* name) {
    static const rt::ClassInfo info(std::string("com.quillfern.motion.easing.") + name,
                                    &IEasing::staticClass());
    return info;
}

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
