#include "motion/easing/Cubic.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& CubicEaseIn::staticClass() {
    return curveClass<CubicEaseIn>("CubicEaseIn");
}
const rt::ClassInfo& CubicEaseOut::staticClass() {
    return curveClass<CubicEaseOut>("CubicEaseOut");
}
const rt::ClassInfo& CubicEaseInOut::staticClass() {
    return curveClass<CubicEaseInOut>("CubicEaseInOut");
}

}  // namespace com::quillfern::motion::easing
