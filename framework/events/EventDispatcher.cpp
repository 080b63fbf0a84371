#include "framework/events/EventDispatcher.h"

#include "framework/events/Event.h"
#include "framework/events/EventPhase.h"
#include "framework/events/IOErrorEvent.h"

namespace limn::events {

namespace {

// True when the weak pointer was never given an object (as opposed to one
// whose object has since gone).
bool isEmpty(const std::weak_ptr<rt::Object>& p) {
    const std::weak_ptr<rt::Object> none;
    return !p.owner_before(none) && !none.owner_before(p);
}

}  // namespace

const rt::ClassInfo& EventDispatcher::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.EventDispatcher", &rt::Object::staticClass())
            .property<&EventDispatcher::limnGetTarget>("limnTarget")
            .method<&EventDispatcher::addEventListener>("addEventListener")
            .method<&EventDispatcher::dispatchEvent>("dispatchEvent")
            .method<&EventDispatcher::hasEventListener>("hasEventListener")
            .method<&EventDispatcher::removeEventListener>("removeEventListener")
            .method<&EventDispatcher::willTrigger>("willTrigger")
            .method<&EventDispatcher::DispatchCompleteEvent>("DispatchCompleteEvent")
            .method<&EventDispatcher::DispatchIOErrorEvent>("DispatchIOErrorEvent");
    return info;
}

EventDispatcher::EventDispatcher(std::weak_ptr<rt::Object> target)
    : target_(std::move(target)), targetIsSelf_(isEmpty(target_)) {}

rt::Dynamic EventDispatcher::limnGetTarget() const {
    if (targetIsSelf_)
        return rt::Dynamic(std::const_pointer_cast<rt::Object>(weak_from_this().lock()));
    return rt::Dynamic(target_.lock());
}

void EventDispatcher::addEventListener(const std::string& type, const rt::Function& listener,
                                       bool useCapture, int priority, bool /*useWeakReference*/) {
    if (!listener) return;
    if (!limnEventMap) limnEventMap = std::make_unique<EventMap>();
    auto [entry, made] = limnEventMap->try_emplace(type);
    entry->second.push_back(std::make_shared<Listener>(listener, useCapture, priority));
    if (made) listenerTypeAdded(type);
}

bool EventDispatcher::dispatchEvent(const std::shared_ptr<Event>& event) {
    if (!limnEventMap || !event) return false;
    if (event->target.isNull()) event->target = limnGetTarget();
    // Listeners may change the event's type; the walk stays on the type it began with.
    const std::string type = event->type;
    const ListenerArray* array = liveArray(type);
    if (array == nullptr) return false;
    // Listeners may drop the last other reference to this dispatcher or to the
    // event while the walk still needs them.
    const auto self = weak_from_this().lock();
    const std::shared_ptr<Event> keep = event;
    const bool capture = keep->eventPhase == EventPhase::CAPTURING_PHASE;
    std::size_t i = 0;
    while (i < array->size()) {
        const std::shared_ptr<Listener> listener = (*array)[i];
        if (listener->useCapture() == capture) {
            listener->dispatchEvent(keep);
            if (keep->limnGetIsCancelledNow()) return true;
            // The listener may have cleared or dropped the whole table.
            array = liveArray(type);
            if (array == nullptr) return true;
        }
        // When the running listener was removed, its successor slid into i.
        if (i < array->size() && (*array)[i] != listener) continue;
        ++i;
    }
    return true;
}

const EventDispatcher::ListenerArray* EventDispatcher::liveArray(const std::string& type) const {
    if (!limnEventMap) return nullptr;
    auto found = limnEventMap->find(type);
    return found == limnEventMap->end() ? nullptr : &found->second;
}

bool EventDispatcher::hasEventListener(const std::string& type) const {
    return limnEventMap && limnEventMap->contains(type);
}

void EventDispatcher::removeEventListener(const std::string& type, const rt::Function& listener,
                                          bool useCapture) {
    if (!limnEventMap) return;
    auto found = limnEventMap->find(type);
    if (found == limnEventMap->end()) return;
    ListenerArray& array = found->second;
    for (auto it = array.begin(); it != array.end(); ++it) {
        if ((*it)->Is(listener, useCapture)) {
            array.erase(it);
            return;
        }
    }
}

bool EventDispatcher::willTrigger(const std::string& type) const {
    return hasEventListener(type);
}

void EventDispatcher::DispatchCompleteEvent() {
    dispatchEvent(std::make_shared<Event>(Event::COMPLETE, false, false));
}

void EventDispatcher::DispatchIOErrorEvent() {
    dispatchEvent(std::make_shared<IOErrorEvent>(IOErrorEvent::IO_ERROR));
}

}  // namespace limn::events
