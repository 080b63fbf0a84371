#include "backend/web/DomKeys.h"

#include <charconv>
#include <unordered_map>

#include "native/EventRecord.h"

namespace limn::web {

namespace {

struct KeyEntry {
    int keyCode;
    int charCode;  // unshifted
};

const std::unordered_map<std::string_view, KeyEntry>& table() {
    static const std::unordered_map<std::string_view, KeyEntry> keys = {
        {"Backspace", {8, 8}},
        {"Tab", {9, 9}},
        {"Enter", {13, 13}},
        {"NumpadEnter", {108, 13}},
        {"ShiftLeft", {16, 0}},
        {"ShiftRight", {16, 0}},
        {"ControlLeft", {17, 0}},
        {"ControlRight", {17, 0}},
        {"AltLeft", {18, 0}},
        {"AltRight", {18, 0}},
        {"MetaLeft", {15, 0}},
        {"MetaRight", {15, 0}},
        {"CapsLock", {20, 0}},
        {"Escape", {27, 27}},
        {"BrowserBack", {27, 0}},
        {"Space", {32, ' '}},
        {"PageUp", {33, 0}},
        {"PageDown", {34, 0}},
        {"End", {35, 0}},
        {"Home", {36, 0}},
        {"ArrowLeft", {37, 0}},
        {"ArrowUp", {38, 0}},
        {"ArrowRight", {39, 0}},
        {"ArrowDown", {40, 0}},
        {"Insert", {45, 0}},
        {"Delete", {46, 127}},
        {"NumpadMultiply", {106, 0}},
        {"NumpadAdd", {107, 0}},
        {"NumpadSubtract", {109, 0}},
        {"NumpadDecimal", {110, 0}},
        {"NumpadDivide", {111, 0}},
        {"Semicolon", {186, ';'}},
        {"Equal", {187, '='}},
        {"Comma", {188, ','}},
        {"Minus", {189, '-'}},
        {"Period", {190, '.'}},
        {"Slash", {191, '/'}},
        {"Backquote", {192, '`'}},
        {"BracketLeft", {219, '['}},
        {"Backslash", {220, '\\'}},
        {"BracketRight", {221, ']'}},
        {"Quote", {222, '\''}},
        {"BrowserForward", {229, 0}},
        {"ContextMenu", {231, 0}},
    };
    return keys;
}

// The number after `prefix` in `code` ("F11" -> 11), -1 if there is none.
int numberAfter(std::string_view code, std::string_view prefix) {
    if (!code.starts_with(prefix) || code.size() == prefix.size()) return -1;
    int value = -1;
    const char* end = code.data() + code.size();
    auto [rest, error] = std::from_chars(code.data() + prefix.size(), end, value);
    return (error == std::errc() && rest == end) ? value : -1;
}

bool isLetter(std::string_view code) {
    return code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z';
}

}  // namespace

int DomKeys::keyCode(std::string_view code) {
    if (isLetter(code)) return code[3];
    if (const int digit = numberAfter(code, "Digit"); digit >= 0 && digit <= 9) return '0' + digit;
    if (const int pad = numberAfter(code, "Numpad"); pad >= 0 && pad <= 9) return 96 + pad;
    if (const int f = numberAfter(code, "F"); f >= 1 && f <= 15) return 111 + f;
    auto it = table().find(code);
    return it == table().end() ? 0 : it->second.keyCode;
}

int DomKeys::charCode(std::string_view code, const DomModifiers& mods) {
    if (isLetter(code)) return (mods.shift != mods.capsLock) ? code[3] : code[3] + 32;
    if (code == "Enter" || code == "NumpadEnter") return 13;
    if (code == "Backspace" || code == "Tab" || code == "Escape" || code == "Delete") {
        return table().at(code).charCode;
    }
    if (const int pad = numberAfter(code, "Numpad"); pad >= 0 && pad <= 9) return '0' + pad;
    if (mods.shift) return 0;
    if (const int digit = numberAfter(code, "Digit"); digit >= 0 && digit <= 9) return '0' + digit;
    auto it = table().find(code);
    return it == table().end() ? 0 : it->second.charCode;
}

int DomKeys::modifierFlags(const DomModifiers& mods) {
    using namespace limn::native::codes;
    int flags = 0;
    if (mods.shift) flags |= efShiftDown;
    if (mods.ctrl) flags |= efCtrlDown;
    if (mods.alt) flags |= efAltDown;
    if (mods.meta) flags |= efCommandDown;
    return flags;
}

bool DomKeys::isRight(std::string_view code) {
    return code == "ShiftRight" || code == "ControlRight" || code == "AltRight" ||
           code == "MetaRight";
}

}  // namespace limn::web
