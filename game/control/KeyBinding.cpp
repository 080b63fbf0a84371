#include "game/control/KeyBinding.h"

#include <cctype>

#include "framework/events/EventDispatcher.h"
#include "framework/events/KeyboardEvent.h"
#include "runtime/ProcessState.h"

namespace com::quillfern::control {

KeyBinding::Bindings KeyBinding::pressBindings;
KeyBinding::Bindings KeyBinding::releaseBindings;
std::vector<bool> KeyBinding::keyPressed;
bool KeyBinding::initialized = false;
const bool KeyBinding::resetRegistered = rt::registerReset(rt::ResetLayer::Game, [] {
    initialized = false;
    pressBindings.clear();
    releaseBindings.clear();
    keyPressed.clear();
});

namespace {

void store(KeyBinding::Bindings& bindings, int keyCode, std::shared_ptr<KeyBindingData> data) {
    if (keyCode < 0) return;
    const auto index = static_cast<std::size_t>(keyCode);
    if (index >= bindings.size()) bindings.resize(index + 1);
    bindings[index] = std::move(data);
}

std::shared_ptr<KeyBindingData> at(const KeyBinding::Bindings& bindings, int keyCode) {
    if (keyCode < 0 || static_cast<std::size_t>(keyCode) >= bindings.size()) return nullptr;
    return bindings[static_cast<std::size_t>(keyCode)];
}

bool isPressed(const std::vector<bool>& pressed, int keyCode) {
    const auto index = static_cast<std::size_t>(keyCode);
    return keyCode >= 0 && index < pressed.size() && pressed[index];
}

void setPressed(std::vector<bool>& pressed, int keyCode, bool down) {
    if (keyCode < 0) return;
    const auto index = static_cast<std::size_t>(keyCode);
    if (index >= pressed.size()) pressed.resize(index + 1, false);
    pressed[index] = down;
}

}  // namespace

void KeyBinding::initialize(const std::shared_ptr<limn::events::EventDispatcher>& stage) {
    if (initialized) return;
    pressBindings.clear();
    releaseBindings.clear();
    keyPressed.clear();
    stage->addEventListener(limn::events::KeyboardEvent::KEY_DOWN,
                            rt::function<&KeyBinding::stage_onKeyDown>());
    stage->addEventListener(limn::events::KeyboardEvent::KEY_UP,
                            rt::function<&KeyBinding::stage_onKeyUp>());
    initialized = true;
}

void KeyBinding::addOnPress(int keyCode, rt::Function handler, bool repeat) {
    store(pressBindings, keyCode, std::make_shared<KeyBindingData>(keyCode, handler, repeat));
}

void KeyBinding::addOnRelease(int keyCode, rt::Function handler) {
    store(releaseBindings, keyCode, std::make_shared<KeyBindingData>(keyCode, handler));
}

void KeyBinding::remove(int keyCode) {
    if (keyCode < 0) return;
    if (at(pressBindings, keyCode)) store(pressBindings, keyCode, nullptr);
    if (at(releaseBindings, keyCode)) store(releaseBindings, keyCode, nullptr);
}

int KeyBinding::getKeyCode(const std::string& character) {
    if (character.empty()) return 0;
    return std::toupper(static_cast<unsigned char>(character[0]));
}

void KeyBinding::stage_onKeyDown(const std::shared_ptr<limn::events::KeyboardEvent>& event) {
    if (!event) return;
    const int code = event->keyCode;
    auto binding = at(pressBindings, code);
    if (!binding) return;
    // Held since a press that already fired: only repeating bindings fire again.
    if (binding->repeat || !isPressed(keyPressed, code)) {
        if (binding->handler) binding->handler();
    }
    setPressed(keyPressed, code, true);
}

void KeyBinding::stage_onKeyUp(const std::shared_ptr<limn::events::KeyboardEvent>& event) {
    if (!event) return;
    const int code = event->keyCode;
    setPressed(keyPressed, code, false);
    auto binding = at(releaseBindings, code);
    if (binding && binding->handler) binding->handler();
}

}  // namespace com::quillfern::control
