#include "framework/events/KeyboardEvent.h"

namespace limn::events {

const rt::ClassInfo& KeyboardEvent::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.KeyboardEvent", &Event::staticClass())
            .field<&KeyboardEvent::keyCode>("keyCode")
            .field<&KeyboardEvent::charCode>("charCode")
            .field<&KeyboardEvent::keyLocation>("keyLocation")
            .field<&KeyboardEvent::ctrlKey>("ctrlKey")
            .field<&KeyboardEvent::altKey>("altKey")
            .field<&KeyboardEvent::shiftKey>("shiftKey");
    return info;
}

KeyboardEvent::KeyboardEvent(std::string type, bool bubbles, bool cancelable, int charCode,
                             int keyCode, int keyLocation, bool ctrlKey, bool altKey, bool shiftKey)
    : Event(std::move(type), bubbles, cancelable),
      keyCode(keyCode),
      charCode(charCode),
      keyLocation(keyLocation),
      ctrlKey(ctrlKey),
      altKey(altKey),
      shiftKey(shiftKey) {}

}  // namespace limn::events
