#include "motion/easing/Linear.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& LinearEaseNone::staticClass() {
    return curveClass<LinearEaseNone>("LinearEaseNone");
}

}  // namespace com::quillfern::motion::easing
