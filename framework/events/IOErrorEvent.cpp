#include "framework/events/IOErrorEvent.h"

namespace limn::events {

const rt::ClassInfo& IOErrorEvent::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.IOErrorEvent", &Event::staticClass())
            .field<&IOErrorEvent::limnString>("limnString");
    return info;
}

IOErrorEvent::IOErrorEvent(std::string type, bool bubbles, bool cancelable, std::string text,
                           int /*id*/)
    : Event(std::move(type), bubbles, cancelable), limnString(std::move(text)) {}

std::string IOErrorEvent::toString() const {
    return limnString;
}

}  // namespace limn::events
