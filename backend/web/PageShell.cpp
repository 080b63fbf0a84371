#include "backend/web/PageShell.h"

#include <emscripten/emscripten.h>

#include "backend/web/DomKeys.h"

// js/shell.js
extern "C" {
void limn_shell_start();
void limn_shell_leave();
void limn_shell_toggle_full_screen();
void limn_canvas_clear(unsigned rgb);
void limn_canvas_fill_rect(double x, double y, double width, double height, unsigned rgb);
}

namespace limn::web {

namespace {

using namespace limn::native::codes;

// The modifier bits js/shell.js packs into one number.
enum ShellModifier { smShift = 1, smCtrl = 2, smAlt = 4, smMeta = 8, smCapsLock = 16 };

// Pointer buttons (PointerEvent.buttons) as the event record's flags.
int buttonFlags(int buttons) {
    int flags = 0;
    if (buttons & 1) flags |= efLeftDown;
    if (buttons & 2) flags |= efRightDown;
    if (buttons & 4) flags |= efMiddleDown;
    return flags;
}

// Decodes one UTF-8 sequence at `at`, advancing it; U+FFFD for a malformed one.
int nextCodePoint(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    const int length = lead < 0x80         ? 1
                       : (lead >> 5) == 6  ? 2
                       : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4
                                           : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    int point = length == 1 ? lead : static_cast<int>(lead & (0x7F >> length));
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return point;
}

native::EventRecord record(int type, double x = 0, double y = 0) {
    native::EventRecord event;
    event.type = type;
    event.x = x;
    event.y = y;
    return event;
}

}  // namespace

PageShell& PageShell::instance() {
    static PageShell shell;
    return shell;
}

void PageShell::start(EventHandler onEvent, FrameHandler onFrame) {
    onEvent_ = std::move(onEvent);
    onFrame_ = std::move(onFrame);
    limn_shell_start();
}

void PageShell::leave() {
    limn_shell_leave();
}

void PageShell::toggleFullScreen() {
    limn_shell_toggle_full_screen();
}

void PageShell::clear(unsigned rgb) {
    limn_canvas_clear(rgb);
}

void PageShell::fillRect(double x, double y, double width, double height, unsigned rgb) {
    limn_canvas_fill_rect(x, y, width, height, rgb);
}

void PageShell::pointer(int kind, int id, double x, double y, int buttons, bool touch,
                        bool primary) {
    static constexpr int touchTypes[] = {etTouchBegin, etTouchMove, etTouchEnd, etTouchEnd};
    static constexpr int mouseTypes[] = {etMouseDown, etMouseMove, etMouseUp, etMouseUp};
    auto event = record(touch ? touchTypes[kind & 3] : mouseTypes[kind & 3], x, y);
    if (touch) {
        event.value = id;
        event.flags = primary ? efPrimaryTouch : 0;
    } else {
        event.flags = buttonFlags(buttons);
    }
    send(event);
}

void PageShell::key(bool down, const std::string& code, int modifiers) {
    const DomModifiers mods{.shift = (modifiers & smShift) != 0,
                            .ctrl = (modifiers & smCtrl) != 0,
                            .alt = (modifiers & smAlt) != 0,
                            .meta = (modifiers & smMeta) != 0,
                            .capsLock = (modifiers & smCapsLock) != 0};
    const int keyCode = DomKeys::keyCode(code);
    if (keyCode == 0) return;
    auto event = record(down ? etKeyDown : etKeyUp);
    event.value = keyCode;
    event.down = down;
    event.code = DomKeys::charCode(code, mods);
    event.flags = DomKeys::modifierFlags(mods) | (DomKeys::isRight(code) ? efLocationRight : 0);
    send(event);
}

void PageShell::text(const std::string& utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        auto event = record(etChar);
        event.down = true;
        event.charCode = nextCodePoint(utf8, at);
        send(event);
    }
}

void PageShell::resize(double width, double height, double pixelRatio) {
    width_ = width;
    height_ = height;
    pixelRatio_ = pixelRatio;
    send(record(etResize, width, height));
}

void PageShell::back() {
    for (const bool down : {true, false}) {
        auto event = record(down ? etKeyDown : etKeyUp);
        event.value = 27;
        event.down = down;
        send(event);
    }
}

void PageShell::visibility(bool hidden) {
    hidden_ = hidden;
}

void PageShell::frame(double time) {
    if (onFrame_) onFrame_(time);
}

void PageShell::send(const native::EventRecord& event) {
    if (onEvent_) onEvent_(event);
}

}  // namespace limn::web

extern "C" {

EMSCRIPTEN_KEEPALIVE void limn_web_pointer(int kind, int id, double x, double y, int buttons,
                                           int touch, int primary) {
    limn::web::PageShell::instance().pointer(kind, id, x, y, buttons, touch != 0, primary != 0);
}

EMSCRIPTEN_KEEPALIVE void limn_web_key(int down, const char* code, int modifiers) {
    limn::web::PageShell::instance().key(down != 0, code ? code : "", modifiers);
}

EMSCRIPTEN_KEEPALIVE void limn_web_text(const char* utf8) {
    limn::web::PageShell::instance().text(utf8 ? utf8 : "");
}

EMSCRIPTEN_KEEPALIVE void limn_web_resize(double width, double height, double pixelRatio) {
    limn::web::PageShell::instance().resize(width, height, pixelRatio);
}

EMSCRIPTEN_KEEPALIVE void limn_web_back() {
    limn::web::PageShell::instance().back();
}

EMSCRIPTEN_KEEPALIVE void limn_web_visibility(int hidden) {
    limn::web::PageShell::instance().visibility(hidden != 0);
}

EMSCRIPTEN_KEEPALIVE void limn_web_frame(double time) {
    limn::web::PageShell::instance().frame(time);
}
}
