#include "framework/events/FocusEvent.h"

namespace limn::events {

const rt::ClassInfo& FocusEvent::staticClass() {
    static const rt::ClassInfo info = rt::ClassInfo("limn.events.FocusEvent", &Event::staticClass())
                                          .field<&FocusEvent::keyCode>("keyCode")
                                          .field<&FocusEvent::relatedObject>("relatedObject")
                                          .field<&FocusEvent::shiftKey>("shiftKey");
    return info;
}

FocusEvent::FocusEvent(std::string type, bool bubbles, bool cancelable, rt::Dynamic relatedObject,
                       bool shiftKey, int keyCode, const std::string& /*direction*/)
    : Event(std::move(type), bubbles, cancelable),
      keyCode(keyCode),
      relatedObject(std::move(relatedObject)),
      shiftKey(shiftKey) {}

}  // namespace limn::events
