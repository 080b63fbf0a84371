#pragma once
// Key codes carried by KeyboardEvent::keyCode. Letters are their upper-case
// character codes, digits 48-57, keypad digits 96-105, F1-F15 112-126.

namespace limn::ui {

class Keyboard {
public:
    // Letters.
    static constexpr int A = 65;
    static constexpr int B = 66;
    static constexpr int C = 67;
    static constexpr int D = 68;
    static constexpr int E = 69;
    static constexpr int F = 70;
    static constexpr int G = 71;
    static constexpr int H = 72;
    static constexpr int I = 73;
    static constexpr int J = 74;
    static constexpr int K = 75;
    static constexpr int L = 76;
    static constexpr int M = 77;
    static constexpr int N = 78;
    static constexpr int O = 79;
    static constexpr int P = 80;
    static constexpr int Q = 81;
    static constexpr int R = 82;
    static constexpr int S = 83;
    static constexpr int T = 84;
    static constexpr int U = 85;
    static constexpr int V = 86;
    static constexpr int W = 87;
    static constexpr int X = 88;
    static constexpr int Y = 89;
    static constexpr int Z = 90;

    // Digits of the main keyboard.
    static constexpr int NUMBER_0 = 48;
    static constexpr int NUMBER_1 = 49;
    static constexpr int NUMBER_2 = 50;
    static constexpr int NUMBER_3 = 51;
    static constexpr int NUMBER_4 = 52;
    static constexpr int NUMBER_5 = 53;
    static constexpr int NUMBER_6 = 54;
    static constexpr int NUMBER_7 = 55;
    static constexpr int NUMBER_8 = 56;
    static constexpr int NUMBER_9 = 57;

    // Digits of the numeric keypad.
    static constexpr int NUMPAD_0 = 96;
    static constexpr int NUMPAD_1 = 97;
    static constexpr int NUMPAD_2 = 98;
    static constexpr int NUMPAD_3 = 99;
    static constexpr int NUMPAD_4 = 100;
    static constexpr int NUMPAD_5 = 101;
    static constexpr int NUMPAD_6 = 102;
    static constexpr int NUMPAD_7 = 103;
    static constexpr int NUMPAD_8 = 104;
    static constexpr int NUMPAD_9 = 105;

    // Function keys.
    static constexpr int F1 = 112;
    static constexpr int F2 = 113;
    static constexpr int F3 = 114;
    static constexpr int F4 = 115;
    static constexpr int F5 = 116;
    static constexpr int F6 = 117;
    static constexpr int F7 = 118;
    static constexpr int F8 = 119;
    static constexpr int F9 = 120;
    static constexpr int F10 = 121;
    static constexpr int F11 = 122;
    static constexpr int F12 = 123;
    static constexpr int F13 = 124;
    static constexpr int F14 = 125;
    static constexpr int F15 = 126;

    // Other keys.
    static constexpr int ALTERNATE = 18;
    static constexpr int BACKQUOTE = 192;
    static constexpr int BACKSLASH = 220;
    static constexpr int BACKSPACE = 8;
    static constexpr int CAPS_LOCK = 20;
    static constexpr int COMMA = 188;
    static constexpr int COMMAND = 15;
    static constexpr int CONTROL = 17;
    static constexpr int DELETE = 46;
    static constexpr int DOWN = 40;
    static constexpr int END = 35;
    static constexpr int ENTER = 13;
    static constexpr int EQUAL = 187;
    static constexpr int ESCAPE = 27;
    static constexpr int HOME = 36;
    static constexpr int INSERT = 45;
    static constexpr int LEFT = 37;
    static constexpr int LEFTBRACKET = 219;
    static constexpr int MINUS = 189;
    static constexpr int NUMPAD = 21;
    static constexpr int NUMPAD_ADD = 107;
    static constexpr int NUMPAD_DECIMAL = 110;
    static constexpr int NUMPAD_DIVIDE = 111;
    static constexpr int NUMPAD_ENTER = 108;
    static constexpr int NUMPAD_MULTIPLY = 106;
    static constexpr int NUMPAD_SUBTRACT = 109;
    static constexpr int PAGE_DOWN = 34;
    static constexpr int PAGE_UP = 33;
    static constexpr int PERIOD = 190;
    static constexpr int QUOTE = 222;
    static constexpr int RIGHT = 39;
    static constexpr int RIGHTBRACKET = 221;
    static constexpr int SEMICOLON = 186;
    static constexpr int SHIFT = 16;
    static constexpr int SLASH = 191;
    static constexpr int SPACE = 32;
    static constexpr int TAB = 9;
    static constexpr int UP = 38;
};

}  // namespace limn::ui
