#pragma once
// A focus change. relatedObject (an rt::Dynamic, object or null) is the object
// that loses or gains focus on the other side of the change. `direction` is
// accepted and not stored.

#include <string>

#include "framework/events/Event.h"

namespace limn::events {

class FocusEvent : public Event {
public:
    RT_DECLARE_CLASS

    static constexpr const char* FOCUS_IN = "focusIn";
    static constexpr const char* FOCUS_OUT = "focusOut";
    static constexpr const char* KEY_FOCUS_CHANGE = "keyFocusChange";
    static constexpr const char* MOUSE_FOCUS_CHANGE = "mouseFocusChange";

    explicit FocusEvent(std::string type, bool bubbles = true, bool cancelable = false,
                        rt::Dynamic relatedObject = {}, bool shiftKey = false, int keyCode = 0,
                        const std::string& direction = "none");

    int keyCode;
    rt::Dynamic relatedObject;
    bool shiftKey;
};

}  // namespace limn::events
