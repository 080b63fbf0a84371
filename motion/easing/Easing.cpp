#include "motion/easing/Back.h"
#include "motion/easing/Bounce.h"
#include "motion/easing/Cubic.h"
#include "motion/easing/Elastic.h"
#include "motion/easing/Expo.h"
#include "motion/easing/ExpoEaseIn.h"
#include "motion/easing/ExpoEaseInOut.h"
#include "motion/easing/ExpoEaseOut.h"
#include "motion/easing/Linear.h"
#include "motion/easing/Quad.h"
#include "motion/easing/Quart.h"
#include "motion/easing/Quint.h"
#include "motion/easing/Sine.h"

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
    static const rt::ClassInfo info =
        rt::ClassInfo(std::string(kPackage) + "IEasing", &rt::Object::staticClass())
            .method<&IEasing::calculate>("calculate")
            .method<&IEasing::ease>("ease");
    return info;
}

const rt::ClassInfo& QuadEaseIn::staticClass() {
    return curveClass<QuadEaseIn>("QuadEaseIn");
}
const rt::ClassInfo& QuadEaseOut::staticClass() {
    return curveClass<QuadEaseOut>("QuadEaseOut");
}
const rt::ClassInfo& QuadEaseInOut::staticClass() {
    return curveClass<QuadEaseInOut>("QuadEaseInOut");
}
const rt::ClassInfo& ExpoEaseIn::staticClass() {
    return curveClass<ExpoEaseIn>("ExpoEaseIn");
}
const rt::ClassInfo& ExpoEaseOut::staticClass() {
    return curveClass<ExpoEaseOut>("ExpoEaseOut");
}
const rt::ClassInfo& ExpoEaseInOut::staticClass() {
    return curveClass<ExpoEaseInOut>("ExpoEaseInOut");
}
const rt::ClassInfo& LinearEaseNone::staticClass() {
    return curveClass<LinearEaseNone>("LinearEaseNone");
}
const rt::ClassInfo& SineEaseIn::staticClass() {
    return curveClass<SineEaseIn>("SineEaseIn");
}
const rt::ClassInfo& SineEaseOut::staticClass() {
    return curveClass<SineEaseOut>("SineEaseOut");
}
const rt::ClassInfo& SineEaseInOut::staticClass() {
    return curveClass<SineEaseInOut>("SineEaseInOut");
}
const rt::ClassInfo& CubicEaseIn::staticClass() {
    return curveClass<CubicEaseIn>("CubicEaseIn");
}
const rt::ClassInfo& CubicEaseOut::staticClass() {
    return curveClass<CubicEaseOut>("CubicEaseOut");
}
const rt::ClassInfo& CubicEaseInOut::staticClass() {
    return curveClass<CubicEaseInOut>("CubicEaseInOut");
}
const rt::ClassInfo& QuartEaseIn::staticClass() {
    return curveClass<QuartEaseIn>("QuartEaseIn");
}
const rt::ClassInfo& QuartEaseOut::staticClass() {
    return curveClass<QuartEaseOut>("QuartEaseOut");
}
const rt::ClassInfo& QuartEaseInOut::staticClass() {
    return curveClass<QuartEaseInOut>("QuartEaseInOut");
}
const rt::ClassInfo& QuintEaseIn::staticClass() {
    return curveClass<QuintEaseIn>("QuintEaseIn");
}
const rt::ClassInfo& QuintEaseOut::staticClass() {
    return curveClass<QuintEaseOut>("QuintEaseOut");
}
const rt::ClassInfo& QuintEaseInOut::staticClass() {
    return curveClass<QuintEaseInOut>("QuintEaseInOut");
}
const rt::ClassInfo& BackEaseIn::staticClass() {
    return curveClass<BackEaseIn>("BackEaseIn");
}
const rt::ClassInfo& BackEaseOut::staticClass() {
    return curveClass<BackEaseOut>("BackEaseOut");
}
const rt::ClassInfo& BackEaseInOut::staticClass() {
    return curveClass<BackEaseInOut>("BackEaseInOut");
}
const rt::ClassInfo& ElasticEaseIn::staticClass() {
    return curveClass<ElasticEaseIn>("ElasticEaseIn");
}
const rt::ClassInfo& ElasticEaseOut::staticClass() {
    return curveClass<ElasticEaseOut>("ElasticEaseOut");
}
const rt::ClassInfo& ElasticEaseInOut::staticClass() {
    return curveClass<ElasticEaseInOut>("ElasticEaseInOut");
}
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
