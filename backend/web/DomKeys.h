#pragma once
// Browser keys to the framework's key codes, the same ones the desktop backend gives
// (letters 65-90 whatever the case, digits 48-57, numpad 96-111, F1-F15 112-126,
// arrows 37-40, Escape and the back button 27 ...). Keys are named by the DOM's
// KeyboardEvent.code ("KeyA", "Digit1", "Numpad1", "ArrowLeft", "ShiftRight"), which
// names the physical key whatever the layout, as the desktop's key codes do.

#include <string_view>

namespace limn::web {

struct DomModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool meta = false;
    bool capsLock = false;
};

class DomKeys {
public:
    // 0 for keys without a code.
    [[nodiscard]] static int keyCode(std::string_view code);
    // The character code the key gives with these modifiers, 0 for none (the
    // desktop's rule: shifted characters other than letters come as text events).
    [[nodiscard]] static int charCode(std::string_view code, const DomModifiers& mods);
    // efShiftDown, efCtrlDown, efAltDown, efCommandDown bits.
    [[nodiscard]] static int modifierFlags(const DomModifiers& mods);
    // Whether the key is the right-hand one of a pair (efLocationRight).
    [[nodiscard]] static bool isRight(std::string_view code);
};

}  // namespace limn::web
