#include "framework/events/MouseEvent.h"

namespace limn::events {

const rt::ClassInfo& MouseEvent::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.MouseEvent", &Event::staticClass())
            .field<&MouseEvent::localX>("localX")
            .field<&MouseEvent::localY>("localY")
            .field<&MouseEvent::relatedObject>("relatedObject")
            .field<&MouseEvent::ctrlKey>("ctrlKey")
            .field<&MouseEvent::altKey>("altKey")
            .field<&MouseEvent::shiftKey>("shiftKey")
            .field<&MouseEvent::buttonDown>("buttonDown")
            .field<&MouseEvent::delta>("delta")
            .field<&MouseEvent::commandKey>("commandKey")
            .field<&MouseEvent::clickCount>("clickCount")
            .field<&MouseEvent::stageX>("stageX")
            .field<&MouseEvent::stageY>("stageY")
            .method<&MouseEvent::limnCreateSimilar>("limnCreateSimilar")
            .method<&MouseEvent::updateAfterEvent>("updateAfterEvent");
    return info;
}

MouseEvent::MouseEvent(std::string type, bool bubbles, bool cancelable, double localX,
                       double localY, rt::Dynamic relatedObject, bool ctrlKey, bool altKey,
                       bool shiftKey, bool buttonDown, int delta, bool commandKey, int clickCount)
    : Event(std::move(type), bubbles, cancelable),
      localX(localX),
      localY(localY),
      relatedObject(std::move(relatedObject)),
      ctrlKey(ctrlKey),
      altKey(altKey),
      shiftKey(shiftKey),
      buttonDown(buttonDown),
      delta(delta),
      commandKey(commandKey),
      clickCount(clickCount) {}

std::shared_ptr<MouseEvent> MouseEvent::limnCreate(const std::string& type, rt::Object& nativeEvent,
                                                   const limn::geom::Point& local,
                                                   const rt::Dynamic& target) {
    auto event = std::make_shared<MouseEvent>(type);
    limnReadNative(*event, nativeEvent, local, target);
    return event;
}

std::shared_ptr<MouseEvent> MouseEvent::limnCreateSimilar(const std::string& type,
                                                          const rt::Dynamic& related,
                                                          const rt::Dynamic& target) const {
    auto similar = std::make_shared<MouseEvent>(type);
    limnCopyInto(*similar, related, target);
    return similar;
}

void MouseEvent::limnReadNative(MouseEvent& event, rt::Object& nativeEvent,
                                const limn::geom::Point& local, const rt::Dynamic& target) {
    static const rt::Name kFlags("flags");
    static const rt::Name kX("x");
    static const rt::Name kY("y");
    const int flags = nativeEvent.get(kFlags).asInt();
    event.localX = local.x;
    event.localY = local.y;
    event.ctrlKey = (flags & efCtrlDown) != 0;
    event.altKey = (flags & efAltDown) != 0;
    event.shiftKey = (flags & efShiftDown) != 0;
    event.buttonDown = (flags & efLeftDown) != 0;
    event.stageX = nativeEvent.get(kX).asFloat();
    event.stageY = nativeEvent.get(kY).asFloat();
    event.target = target;
}

void MouseEvent::limnCopyInto(MouseEvent& similar, const rt::Dynamic& related,
                              const rt::Dynamic& target) const {
    similar.bubbles = bubbles;
    similar.cancelable = cancelable;
    similar.localX = localX;
    similar.localY = localY;
    similar.relatedObject = related.isNull() ? relatedObject : related;
    similar.ctrlKey = ctrlKey;
    similar.altKey = altKey;
    similar.shiftKey = shiftKey;
    similar.buttonDown = buttonDown;
    similar.delta = delta;
    similar.commandKey = commandKey;
    similar.clickCount = clickCount;
    if (!target.isNull()) similar.target = target;
}

}  // namespace limn::events
