#include "motion/easing/Quint.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& QuintEaseIn::staticClass() {
    return curveClass<QuintEaseIn>("QuintEaseIn");
}
const rt::ClassInfo& QuintEaseOut::staticClass() {
    return curveClass<QuintEaseOut>("QuintEaseOut");
}
const rt::ClassInfo& QuintEaseInOut::staticClass() {
    return curveClass<QuintEaseInOut>("QuintEaseInOut");
}

}  // namespace com::quillfern::motion::easing
