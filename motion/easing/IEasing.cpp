#include "motion/easing/IEasing.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& IEasing::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.motion.easing.IEasing", &rt::Object::staticClass())
            .method<&IEasing::calculate>("calculate")
            .method<&IEasing::ease>("ease");
    return info;
}

}  // namespace com::quillfern::motion::easing
