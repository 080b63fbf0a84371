#include "motion/easing/Back.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& BackEaseIn::staticClass() {
    return curveClass<BackEaseIn>("BackEaseIn");
}
const rt::ClassInfo& BackEaseOut::staticClass() {
    return curveClass<BackEaseOut>("BackEaseOut");
}
const rt::ClassInfo& BackEaseInOut::staticClass() {
    return curveClass<BackEaseInOut>("BackEaseInOut");
}

}  // namespace com::quillfern::motion::easing
