#include "motion/easing/Expo.h"
#include "motion/easing/ExpoEaseIn.h"
#include "motion/easing/ExpoEaseInOut.h"
#include "motion/easing/ExpoEaseOut.h"
#include "motion/easing/Quad.h"

namespace com::quillfern::motion::easing {

namespace {

constexpr const char* kPackage = "com.quillfern.motion.easing.";

template <class T>
const rt::ClassInfo& curveClass(const char* name) {
    static const rt::ClassInfo info(std::string(kPackage) + name, &IEasing::staticClass());
    return info;
}

}  // namespace

const rt::ClassInfo& IEasing::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo(std::string(kPackage) + "IEasing",
                                                    &rt::Object::staticClass())
                                          .method<&IEasing::calculate>("calculate")
                                          .method<&IEasing::ease>("ease");
    return info;
}

const rt::ClassInfo& QuadEaseIn::staticClass() { return curveClass<QuadEaseIn>("QuadEaseIn"); }
const rt::ClassInfo& QuadEaseOut::staticClass() { return curveClass<QuadEaseOut>("QuadEaseOut"); }
const rt::ClassInfo& QuadEaseInOut::staticClass() {
    return curveClass<QuadEaseInOut>("QuadEaseInOut");
}
const rt::ClassInfo& ExpoEaseIn::staticClass() { return curveClass<ExpoEaseIn>("ExpoEaseIn"); }
const rt::ClassInfo& ExpoEaseOut::staticClass() { return curveClass<ExpoEaseOut>("ExpoEaseOut"); }
const rt::ClassInfo& ExpoEaseInOut::staticClass() {
    return curveClass<ExpoEaseInOut>("ExpoEaseInOut");
}

}  // namespace com::quillfern::motion::easing
