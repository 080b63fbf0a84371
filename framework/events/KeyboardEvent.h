#pragma once
// A key press or release. Note the constructor's order: the character code
// comes before the key code. Key codes are those of limn::ui::Keyboard.

#include <string>

#include "framework/events/Event.h"

namespace limn::events {

class KeyboardEvent : public Event {
public:
    RT_DECLARE_CLASS

    static constexpr const char* KEY_DOWN = "keyDown";
    static constexpr const char* KEY_UP = "keyUp";

    explicit KeyboardEvent(std::string type, bool bubbles = false, bool cancelable = false,
                           int charCode = 0, int keyCode = 0, int keyLocation = 0,
                           bool ctrlKey = false, bool altKey = false, bool shiftKey = false);

    int keyCode;
    int charCode;
    int keyLocation;
    bool ctrlKey;
    bool altKey;
    bool shiftKey;
};

}  // namespace limn::events
