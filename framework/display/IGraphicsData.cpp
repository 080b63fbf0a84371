#include "framework/display/IGraphicsData.h"

namespace limn::display {

const rt::ClassInfo& IGraphicsData::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.IGraphicsData", &rt::Object::staticClass())
            .readOnly<&IGraphicsData::limnHandle>("limnHandle");
    return info;
}

}  // namespace limn::display
