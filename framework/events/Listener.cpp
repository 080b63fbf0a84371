#include "framework/events/Listener.h"

#include "framework/events/Event.h"
#include "runtime/ProcessState.h"

namespace limn::events {

namespace {

// The serial number the next Listener takes.
int nextSerial = 1;

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Framework, [] { nextSerial = 1; });

}  // namespace

int Listener::nextId() {
    return nextSerial;
}

const rt::ClassInfo& Listener::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.events.Listener", &rt::Object::staticClass())
            .readOnly<&Listener::mListner>("mListner")
            .readOnly<&Listener::mUseCapture>("mUseCapture")
            .readOnly<&Listener::mPriority>("mPriority")
            .readOnly<&Listener::mID>("mID")
            .method<&Listener::dispatchEvent>("dispatchEvent")
            .method<&Listener::Is>("Is");
    return info;
}

Listener::Listener(rt::Function listener, bool useCapture, int priority)
    : mListner(std::move(listener)),
      mUseCapture(useCapture),
      mPriority(priority),
      mID(nextSerial++) {}

void Listener::dispatchEvent(const std::shared_ptr<Event>& event) {
    const rt::Dynamic arg[] = {rt::Dynamic(event)};
    mListner.call(arg);
}

bool Listener::Is(const rt::Function& listener, bool useCapture) const {
    return useCapture == mUseCapture && mListner.sameAs(listener);
}

}  // namespace limn::events
