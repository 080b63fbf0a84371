#pragma once
// Key codes mapped to handlers: one press and one release handler per key.
// Static only. initialize(stage) listens to the stage's "keyDown" and "keyUp"
// once per process; bindings may then be added, replaced and removed at any
// time. A press binding fires once per physical press unless it asks for
// repeat, in which case every key-down of the key fires it.
//
//   KeyBinding::initialize(stage);
//   KeyBinding::addOnPress(27, rt::bind<&Game::onBack>(this));
//
// The arrays are indexed by key code and grow on write; reading past the end
// gives null (bindings) or false (keyPressed). Negative key codes change nothing.

#include <memory>
#include <string>
#include <vector>

#include "game/control/KeyBindingData.h"

namespace limn::events {
class EventDispatcher;
class KeyboardEvent;
}  // namespace limn::events

namespace com::quillfern::control {

class KeyBinding {
public:
    using Bindings = std::vector<std::shared_ptr<KeyBindingData>>;

    KeyBinding() = delete;

    // Does nothing once it has run.
    static void initialize(const std::shared_ptr<limn::events::EventDispatcher>& stage);
    static void addOnPress(int keyCode, rt::Function handler, bool repeat = false);
    static void addOnRelease(int keyCode, rt::Function handler);
    static void remove(int keyCode);
    // The character code of the first character upper-cased; 0 for empty text.
    [[nodiscard]] static int getKeyCode(const std::string& character);

private:
    friend struct KeyBindingProbe;  // tests

    static void stage_onKeyDown(const std::shared_ptr<limn::events::KeyboardEvent>& event);
    static void stage_onKeyUp(const std::shared_ptr<limn::events::KeyboardEvent>& event);

    static Bindings pressBindings;
    static Bindings releaseBindings;
    static std::vector<bool> keyPressed;  // down since a key-down that reached a press binding
    static bool initialized;
    // Back to a fresh process's state, for tests (rt::resetProcessState).
    static const bool resetRegistered;
};

}  // namespace com::quillfern::control
