#include "motion/easing/Sine.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& SineEaseIn::staticClass() {
    return curveClass<SineEaseIn>("SineEaseIn");
}
const rt::ClassInfo& SineEaseOut::staticClass() {
    return curveClass<SineEaseOut>("SineEaseOut");
}
const rt::ClassInfo& SineEaseInOut::staticClass() {
    return curveClass<SineEaseInOut>("SineEaseInOut");
}

}  // namespace com::quillfern::motion::easing
