#include "backend/desktop/stage/KeyMap.h"

#include <unordered_map>

#include "backend/stage/StageInput.h"

namespace limn::sdl {

// Event type codes and flag bits of the native event record.
using namespace native::codes;

namespace {

const std::unordered_map<SDL_Keycode, int>& table() {
    static const std::unordered_map<SDL_Keycode, int> codes = {
        {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},           {SDLK_RETURN, 13},
        {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},       {SDLK_LCTRL, 17},
        {SDLK_RCTRL, 17},        {SDLK_LALT, 18},         {SDLK_RALT, 18},
        {SDLK_LGUI, 15},         {SDLK_RGUI, 15},         {SDLK_CAPSLOCK, 20},
        {SDLK_ESCAPE, 27},       {SDLK_AC_BACK, 27},      {SDLK_SPACE, 32},
        {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},     {SDLK_END, 35},
        {SDLK_HOME, 36},         {SDLK_LEFT, 37},         {SDLK_UP, 38},
        {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},         {SDLK_INSERT, 45},
        {SDLK_DELETE, 46},       {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
        {SDLK_KP_ENTER, 108},    {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},
        {SDLK_KP_DECIMAL, 110},  {SDLK_KP_DIVIDE, 111},   {SDLK_SEMICOLON, 186},
        {SDLK_EQUALS, 187},      {SDLK_COMMA, 188},       {SDLK_MINUS, 189},
        {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},       {SDLK_BACKQUOTE, 192},
        {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221},
        {SDLK_QUOTE, 222},       {SDLK_AC_FORWARD, 229},  {SDLK_MENU, 231},
    };
    return codes;
}

}  // namespace

int KeyMap::keyCode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 96;
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F15) return 124 + (key - SDLK_F13);
    auto it = table().find(key);
    return it == table().end() ? 0 : it->second;
}

int KeyMap::charCode(SDL_Keycode key, Uint16 mods) {
    const bool shift = (mods & KMOD_SHIFT) != 0;
    const bool caps = (mods & KMOD_CAPS) != 0;
    if (key >= SDLK_a && key <= SDLK_z) return (shift != caps) ? key - 32 : key;
    if (key == SDLK_RETURN || key == SDLK_KP_ENTER) return 13;
    if (key == SDLK_BACKSPACE || key == SDLK_TAB || key == SDLK_ESCAPE || key == SDLK_DELETE) {
        return key == SDLK_DELETE ? 127 : static_cast<int>(key);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return '1' + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return '0';
    if (key >= 32 && key < 127 && !shift) return static_cast<int>(key);
    return 0;
}

int KeyMap::modifierFlags(Uint16 mods) {
    int flags = 0;
    if (mods & KMOD_SHIFT) flags |= efShiftDown;
    if (mods & KMOD_CTRL) flags |= efCtrlDown;
    if (mods & KMOD_ALT) flags |= efAltDown;
    if (mods & KMOD_GUI) flags |= efCommandDown;
    return flags;
}

bool KeyMap::isRight(SDL_Keycode key) {
    return key == SDLK_RSHIFT || key == SDLK_RCTRL || key == SDLK_RALT || key == SDLK_RGUI;
}

}  // namespace limn::sdl
