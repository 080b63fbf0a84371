#pragma once
// KeyBinding's static state, for tests: private to KeyBinding.

#include <vector>

#include "game/control/KeyBinding.h"

namespace com::quillfern::control {

struct KeyBindingProbe {
    static bool& initialized() { return KeyBinding::initialized; }
    static KeyBinding::Bindings& pressBindings() { return KeyBinding::pressBindings; }
    static std::vector<bool>& keyPressed() { return KeyBinding::keyPressed; }
};

}  // namespace com::quillfern::control
