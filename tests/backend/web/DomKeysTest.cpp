// Browser keys give the desktop backend's key and character codes.
#include <gtest/gtest.h>

#include "backend/web/DomKeys.h"
#include "native/EventRecord.h"

namespace {

using limn::web::DomKeys;
using limn::web::DomModifiers;

TEST(DomKeys, KeyCodesMatchTheDesktops) {
    EXPECT_EQ(DomKeys::keyCode("KeyA"), 65);
    EXPECT_EQ(DomKeys::keyCode("KeyZ"), 90);
    EXPECT_EQ(DomKeys::keyCode("Digit0"), 48);
    EXPECT_EQ(DomKeys::keyCode("Digit9"), 57);
    EXPECT_EQ(DomKeys::keyCode("Numpad0"), 96);
    EXPECT_EQ(DomKeys::keyCode("Numpad9"), 105);
    EXPECT_EQ(DomKeys::keyCode("NumpadEnter"), 108);
    EXPECT_EQ(DomKeys::keyCode("F1"), 112);
    EXPECT_EQ(DomKeys::keyCode("F12"), 123);
    EXPECT_EQ(DomKeys::keyCode("F15"), 126);
    EXPECT_EQ(DomKeys::keyCode("ArrowLeft"), 37);
    EXPECT_EQ(DomKeys::keyCode("ArrowDown"), 40);
    EXPECT_EQ(DomKeys::keyCode("Escape"), 27);
    EXPECT_EQ(DomKeys::keyCode("BrowserBack"), 27);
    EXPECT_EQ(DomKeys::keyCode("ShiftRight"), 16);
    EXPECT_EQ(DomKeys::keyCode("MetaLeft"), 15);
    EXPECT_EQ(DomKeys::keyCode("Quote"), 222);
}

TEST(DomKeys, UnknownAndMalformedCodesHaveNone) {
    for (const char* code : {"", "Key", "Keya", "KeyAB", "Digit", "Digit10", "F0", "F16", "F1x",
                             "Numpad", "Numpad-1", "Lang1", "Fn"}) {
        EXPECT_EQ(DomKeys::keyCode(code), 0) << code;
        EXPECT_EQ(DomKeys::charCode(code, {}), 0) << code;
    }
}

TEST(DomKeys, CharacterCodesFollowShiftAndCapsLockAsOnTheDesktop) {
    EXPECT_EQ(DomKeys::charCode("KeyA", {}), 'a');
    EXPECT_EQ(DomKeys::charCode("KeyA", {.shift = true}), 'A');
    EXPECT_EQ(DomKeys::charCode("KeyA", {.capsLock = true}), 'A');
    EXPECT_EQ(DomKeys::charCode("KeyA", {.shift = true, .capsLock = true}), 'a');
    EXPECT_EQ(DomKeys::charCode("Digit1", {}), '1');
    EXPECT_EQ(DomKeys::charCode("Digit1", {.shift = true}), 0);
    EXPECT_EQ(DomKeys::charCode("Space", {}), ' ');
    EXPECT_EQ(DomKeys::charCode("Enter", {.shift = true}), 13);
    EXPECT_EQ(DomKeys::charCode("Delete", {}), 127);
    EXPECT_EQ(DomKeys::charCode("Escape", {.shift = true}), 27);
    EXPECT_EQ(DomKeys::charCode("Numpad7", {.shift = true}), '7');
    EXPECT_EQ(DomKeys::charCode("ArrowUp", {}), 0);
    EXPECT_EQ(DomKeys::charCode("Backslash", {}), '\\');
}

TEST(DomKeys, ModifiersAndRightHandKeys) {
    using namespace limn::native::codes;
    EXPECT_EQ(DomKeys::modifierFlags({}), 0);
    EXPECT_EQ(DomKeys::modifierFlags({.shift = true, .ctrl = true, .alt = true, .meta = true}),
              efShiftDown | efCtrlDown | efAltDown | efCommandDown);
    EXPECT_EQ(DomKeys::modifierFlags({.capsLock = true}), 0);
    EXPECT_TRUE(DomKeys::isRight("ShiftRight"));
    EXPECT_FALSE(DomKeys::isRight("ShiftLeft"));
}

}  // namespace
