#include "motion/easing/Bounce.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& BounceEaseIn::staticClass() {
    return curveClass<BounceEaseIn>("BounceEaseIn");
}
const rt::ClassInfo& BounceEaseOut::staticClass() {
    return curveClass<BounceEaseOut>("BounceEaseOut");
}
const rt::ClassInfo& BounceEaseInOut::staticClass() {
    return curveClass<BounceEaseInOut>("BounceEaseInOut");
}

}  // namespace com::quillfern::motion::easing
