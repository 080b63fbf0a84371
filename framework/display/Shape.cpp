#include "framework/display/Shape.h"

#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_create_display_object> createDisplayObject;

}  // namespace

Shape::Shape() : DisplayObject(createDisplayObject()) {}

const rt::ClassInfo& Shape::staticClass() {
    static const rt::ClassInfo info("limn.display.Shape", &DisplayObject::staticClass());
    return info;
}

}  // namespace limn::display
