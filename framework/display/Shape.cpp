#include "framework/display/Shape.h"

#include "native/Primitive.h"

namespace limn::display {

namespace {

const native::Primitive createDisplayObject{"limn_create_display_object", 0};

}  // namespace

Shape::Shape() : DisplayObject(createDisplayObject()) {}

const rt::ClassInfo& Shape::staticClass() {
    static const rt::ClassInfo info("limn.display.Shape", &DisplayObject::staticClass());
    return info;
}

}  // namespace limn::display
