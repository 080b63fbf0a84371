#include "framework/events/Event.h"

#include "framework/events/EventPhase.h"

namespace limn::events {

const rt::ClassInfo& Event::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.Event", &rt::Object::staticClass())
            .field<&Event::bubbles>("bubbles")
            .field<&Event::cancelable>("cancelable")
            .field<&Event::eventPhase>("eventPhase")
            .field<&Event::target>("target")
            .field<&Event::currentTarget>("currentTarget")
            .field<&Event::type>("type")
            .field<&Event::limnIsCancelled>("limnIsCancelled")
            .field<&Event::limnIsCancelledNow>("limnIsCancelledNow")
            .method<&Event::limnSetPhase>("limnSetPhase")
            .method<&Event::limnGetIsCancelled>("limnGetIsCancelled")
            .method<&Event::limnGetIsCancelledNow>("limnGetIsCancelledNow")
            .method<&Event::clone>("clone")
            .method<&Event::stopImmediatePropagation>("stopImmediatePropagation")
            .method<&Event::stopPropagation>("stopPropagation")
            .method<&Event::toString>("toString");
    return info;
}

Event::Event(std::string type, bool bubbles, bool cancelable)
    : bubbles(bubbles),
      cancelable(cancelable),
      eventPhase(EventPhase::AT_TARGET),
      type(std::move(type)),
      limnIsCancelled(false),
      limnIsCancelledNow(false) {}

void Event::limnSetPhase(int phase) {
    eventPhase = phase;
}

bool Event::limnGetIsCancelled() const {
    return limnIsCancelled;
}

bool Event::limnGetIsCancelledNow() const {
    return limnIsCancelledNow;
}

std::shared_ptr<Event> Event::clone() const {
    return std::make_shared<Event>(type, bubbles, cancelable);
}

void Event::stopImmediatePropagation() {
    if (!cancelable) return;
    limnIsCancelled = true;
    limnIsCancelledNow = true;
}

void Event::stopPropagation() {
    if (cancelable) limnIsCancelled = true;
}

std::string Event::toString() const {
    return type;
}

}  // namespace limn::events
