#pragma once
// One key binding: the key code it was made for, the handler to call (no
// arguments) and whether every key-down of a held key fires it (`repeat`).
// A plain record; its fields are readable and writable by name.

#include "runtime/Function.h"
#include "runtime/Object.h"

namespace com::quillfern::control {

class KeyBindingData : public rt::Object {
public:
    RT_DECLARE_CLASS

    KeyBindingData(int key, rt::Function handler, bool repeat = false);

    int key;
    rt::Function handler;
    bool repeat;
};

}  // namespace com::quillfern::control
