#include "framework/events/Listener.h"

#include "framework/events/Event.h"
#include "runtime/ProcessState.h"

namespace limn::events {

int Listener::sIDs = 1;

namespace {

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Framework, [] { Listener::sIDs = 1; });

}  // namespace

const rt::ClassInfo& Listener::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.Listener", &rt::Object::staticClass())
            .field<&Listener::mListner>("mListner")
            .field<&Listener::mUseCapture>("mUseCapture")
            .field<&Listener::mPriority>("mPriority")
            .field<&Listener::mID>("mID")
            .method<&Listener::dispatchEvent>("dispatchEvent")
            .method<&Listener::Is>("Is");
    return info;
}

Listener::Listener(rt::Function listener, bool useCapture, int priority)
    : mListner(std::move(listener)), mUseCapture(useCapture), mPriority(priority), mID(sIDs++) {}

void Listener::dispatchEvent(const std::shared_ptr<Event>& event) {
    const rt::Dynamic arg[] = {rt::Dynamic(event)};
    mListner.call(arg);
}

bool Listener::Is(const rt::Function& listener, bool useCapture) const {
    return useCapture == mUseCapture && mListner.sameAs(listener);
}

}  // namespace limn::events
