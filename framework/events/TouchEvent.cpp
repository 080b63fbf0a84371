#include "framework/events/TouchEvent.h"

namespace limn::events {

const rt::ClassInfo& TouchEvent::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.TouchEvent", &MouseEvent::staticClass())
            .field<&TouchEvent::touchPointID>("touchPointID")
            .field<&TouchEvent::isPrimaryTouchPoint>("isPrimaryTouchPoint");
    return info;
}

TouchEvent::TouchEvent(std::string type, bool bubbles, bool cancelable, double localX,
                       double localY, rt::Dynamic relatedObject, bool ctrlKey, bool altKey,
                       bool shiftKey, bool buttonDown, int delta, bool commandKey, int clickCount)
    : MouseEvent(std::move(type), bubbles, cancelable, localX, localY, std::move(relatedObject),
                 ctrlKey, altKey, shiftKey, buttonDown, delta, commandKey, clickCount) {}

std::shared_ptr<TouchEvent> TouchEvent::limnCreate(const std::string& type, rt::Object& nativeEvent,
                                                   const limn::geom::Point& local,
                                                   const rt::Dynamic& target) {
    auto event = std::make_shared<TouchEvent>(type);
    limnReadNative(*event, nativeEvent, local, target);
    return event;
}

std::shared_ptr<MouseEvent> TouchEvent::limnCreateSimilar(const std::string& type,
                                                          const rt::Dynamic& related,
                                                          const rt::Dynamic& target) const {
    auto similar = std::make_shared<TouchEvent>(type);
    limnCopyInto(*similar, related, target);
    similar->touchPointID = touchPointID;
    similar->isPrimaryTouchPoint = isPrimaryTouchPoint;
    return similar;
}

}  // namespace limn::events
