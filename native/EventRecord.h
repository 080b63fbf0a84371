#pragma once
// The record the backend hands to the stage's handler, one per native event.
// The stage reads its fields by name (so a plain object with the same names
// works too) and writes back only `result`.
//
// type   event type code (EventCodes, native/WireConstants.h)
// x, y   pointer position in stage pixels; for a resize, the new size
// id     id of the display object concerned (under the pointer, focused, ...)
// flags  modifier and button bits (EventCodes::EventFlag)
// value  touch id, orientation, key code, or focus-change kind
// code   character code (key events) or key code (focus events)
// down, char  key-down flag and character (character events)
// result written by the stage: 2 allows a rotation; 1 when a listener stopped a
//        key or focus-change event

#include "native/WireConstants.h"
#include "runtime/Object.h"

namespace limn::native {

class EventRecord final : public rt::Object {
public:
    RT_DECLARE_CLASS
    int type = 0;
    double x = 0;
    double y = 0;
    int id = 0;
    int flags = 0;
    int value = 0;
    int code = 0;
    bool down = false;
    int charCode = 0;  // reached by name as "char"
    int result = 0;
};

}  // namespace limn::native
