#include "framework/display/InteractiveObject.h"

#include "native/Call.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_display_object_set_mouse_enabled> setMouseEnabled;

}  // namespace

InteractiveObject::InteractiveObject(rt::Dynamic handle) : DisplayObject(std::move(handle)) {}

std::shared_ptr<InteractiveObject> InteractiveObject::limnAsInteractiveObject() {
    return std::static_pointer_cast<InteractiveObject>(self());
}

bool InteractiveObject::limnGetMouseEnabled() const {
    return limnMouseEnabled;
}

bool InteractiveObject::limnSetMouseEnabled(bool value) {
    limnMouseEnabled = value;
    display::setMouseEnabled({.object = limnHandle, .value = value});
    return limnMouseEnabled;
}

const rt::ClassInfo& InteractiveObject::staticClass() {
    using Self = InteractiveObject;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.InteractiveObject", &DisplayObject::staticClass())
            LIMN_INTERACTIVE_OBJECT_PROPERTIES(RT_BIND_RW, RT_BIND_RO);
    return info;
}

}  // namespace limn::display
