#pragma once
// SDL keys to the framework's key codes (letters 65-90 whatever the case,
// digits 48-57, numpad 96-111, F1-F15 112-126, arrows 37-40, Escape 27 ...),
// the character a key types, and the modifier flags of the event record.

#include <SDL.h>

namespace limn::sdl {

class KeyMap {
public:
    // 0 for keys without a code.
    [[nodiscard]] static int keyCode(SDL_Keycode key);
    // The character code the key gives with these modifiers, 0 for none.
    [[nodiscard]] static int charCode(SDL_Keycode key, Uint16 mods);
    // efShiftDown, efCtrlDown, efAltDown, efCommandDown bits.
    [[nodiscard]] static int modifierFlags(Uint16 mods);
    // Whether the key is the right-hand one of a pair (efLocationRight).
    [[nodiscard]] static bool isRight(SDL_Keycode key);
};

}  // namespace limn::sdl
