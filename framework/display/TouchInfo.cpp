#include "framework/display/TouchInfo.h"

namespace limn::display {

const rt::ClassInfo& TouchInfo::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.TouchInfo", &rt::Object::staticClass());
    return info;
}

}  // namespace limn::display
