#pragma once
// The record the backend hands to the stage's handler, one per native event.
// The stage reads its fields by name (so a plain object with the same names
// works too) and writes back only `result`.
//
// type   event type code (etKeyDown = 1 ... etChange = 19)
// x, y   pointer position in stage pixels; for a resize, the new size
// id     id of the display object concerned (under the pointer, focused, ...)
// flags  modifier and button bits (efLeftDown = 1, efShiftDown = 2, efCtrlDown = 4,
//        efAltDown = 8, efCommandDown = 16, efLocationRight = 0x4000 ...)
// value  touch id, orientation, key code, or focus-change kind
// code   character code (key events) or key code (focus events)
// down, char  key-down flag and character (character events)
// result written by the stage: 2 allows a rotation; 1 when a listener stopped a
//        key or focus-change event

#include "runtime/Object.h"

namespace limn::native {

// The codes of `type` and the bits of `flags`, shared by the stage and the backend.
namespace codes {

enum EventType {
    etUnknown = 0,
    etKeyDown = 1,
    etChar = 2,
    etKeyUp = 3,
    etMouseMove = 4,
    etMouseDown = 5,
    etMouseClick = 6,
    etMouseUp = 7,
    etResize = 8,
    etPoll = 9,
    etQuit = 10,
    etFocus = 11,
    etShouldRotate = 12,
    etDestroyHandler = 13,
    etRedraw = 14,
    etTouchBegin = 15,
    etTouchMove = 16,
    etTouchEnd = 17,
    etTouchTap = 18,
    etChange = 19,
};

enum EventFlag {
    efLeftDown = 0x0001,
    efShiftDown = 0x0002,
    efCtrlDown = 0x0004,
    efAltDown = 0x0008,
    efCommandDown = 0x0010,
    efMiddleDown = 0x0020,
    efRightDown = 0x0040,
    efLocationRight = 0x4000,
    efPrimaryTouch = 0x8000,
};

}  // namespace codes

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
