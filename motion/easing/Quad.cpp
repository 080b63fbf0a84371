#include "motion/easing/Quad.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& QuadEaseIn::staticClass() {
    return curveClass<QuadEaseIn>("QuadEaseIn");
}
const rt::ClassInfo& QuadEaseOut::staticClass() {
    return curveClass<QuadEaseOut>("QuadEaseOut");
}
const rt::ClassInfo& QuadEaseInOut::staticClass() {
    return curveClass<QuadEaseInOut>("QuadEaseInOut");
}

}  // namespace com::quillfern::motion::easing
