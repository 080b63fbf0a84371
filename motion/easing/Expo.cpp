#include "motion/easing/Expo.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& ExpoEaseIn::staticClass() {
    return curveClass<ExpoEaseIn>("ExpoEaseIn");
}
const rt::ClassInfo& ExpoEaseOut::staticClass() {
    return curveClass<ExpoEaseOut>("ExpoEaseOut");
}
const rt::ClassInfo& ExpoEaseInOut::staticClass() {
    return curveClass<ExpoEaseInOut>("ExpoEaseInOut");
}

}  // namespace com::quillfern::motion::easing
