#include "motion/EffectsOptions.h"
#include "motion/TransformOptions.h"
#include "motion/TweenTimer.h"
#include "motion/actuators/PropertyDetails.h"

namespace com::quillfern::motion {

const rt::ClassInfo& TweenTimer::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.motion.TweenTimer", &rt::Object::staticClass())
            .field<&TweenTimer::progress>("progress");
    return info;
}

const rt::ClassInfo& TransformOptions::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.motion.TransformOptions", &rt::Object::staticClass())
            .field<&TransformOptions::duration>("duration")
            .field<&TransformOptions::overwrite>("overwrite")
            .field<&TransformOptions::target>("target");
    return info;
}

const rt::ClassInfo& EffectsOptions::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.motion.EffectsOptions", &rt::Object::staticClass())
            .field<&EffectsOptions::duration>("duration")
            .field<&EffectsOptions::overwrite>("overwrite")
            .field<&EffectsOptions::target>("target");
    return info;
}

}  // namespace com::quillfern::motion

namespace com::quillfern::motion::actuators {

namespace {

rt::Dynamic nameOf(rt::Object& o) {
    return static_cast<PropertyDetails&>(o).propertyName.str();
}

void setName(rt::Object& o, const rt::Dynamic& v) {
    static_cast<PropertyDetails&>(o).propertyName = rt::Name(v.asString());
}

}  // namespace

const rt::ClassInfo& PropertyDetails::staticClass() {
    static const rt::ClassInfo info = [] {
        rt::ClassInfo c("com.quillfern.motion.actuators.PropertyDetails",
                        &rt::Object::staticClass());
        c.field<&PropertyDetails::target>("target")
            .custom("propertyName", &nameOf, &setName)
            .field<&PropertyDetails::start>("start")
            .field<&PropertyDetails::change>("change");
        return c;
    }();
    return info;
}

}  // namespace com::quillfern::motion::actuators
