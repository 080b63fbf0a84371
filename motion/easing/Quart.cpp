#include "motion/easing/Quart.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& QuartEaseIn::staticClass() {
    return curveClass<QuartEaseIn>("QuartEaseIn");
}
const rt::ClassInfo& QuartEaseOut::staticClass() {
    return curveClass<QuartEaseOut>("QuartEaseOut");
}
const rt::ClassInfo& QuartEaseInOut::staticClass() {
    return curveClass<QuartEaseInOut>("QuartEaseInOut");
}

}  // namespace com::quillfern::motion::easing
