#include "game/control/KeyBindingData.h"

namespace com::quillfern::control {

const rt::ClassInfo& KeyBindingData::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.control.KeyBindingData", &rt::Object::staticClass())
            .field<&KeyBindingData::key>("key")
            .field<&KeyBindingData::handler>("handler")
            .field<&KeyBindingData::repeat>("repeat");
    return info;
}

KeyBindingData::KeyBindingData(int key, rt::Function handler, bool repeat)
    : key(key), handler(std::move(handler)), repeat(repeat) {}

}  // namespace com::quillfern::control
