#pragma once
// One call into StageInput, as a value: what a session recorder writes down
// and a replay hands back to StageInput::apply(). Positions are stage pixels;
// fields a kind does not use stay at their defaults.
//
//   input.setObserver([&](const InputCall& call) { log.push_back(call); });
//   for (const InputCall& call : log) other.apply(call);

#include <cstdint>
#include <string>

namespace limn::sdl {

struct InputCall {
    enum class Kind : std::uint8_t {
        MouseMove,
        MouseDown,
        MouseUp,
        TouchBegin,
        TouchMove,
        TouchEnd,
        Key,
        Text,
        Resize,
        Quit,
        Poll,
        Redraw,
    };
    static constexpr int kKindCount = 12;

    Kind kind = Kind::Poll;
    double x = 0;
    double y = 0;
    int flags = 0;
    std::int64_t finger = 0;  // touches
    int keyCode = 0;          // keys
    int charCode = 0;         // keys
    bool down = false;        // keys
    std::string text;         // text input, UTF-8

    bool operator==(const InputCall&) const = default;
};

}  // namespace limn::sdl
