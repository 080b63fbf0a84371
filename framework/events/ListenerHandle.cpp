#include "framework/events/ListenerHandle.h"

#include "framework/events/EventDispatcher.h"

namespace limn::events {

ListenerHandle::ListenerHandle(std::weak_ptr<EventDispatcher> owner, std::string type,
                               rt::Function listener, bool useCapture)
    : owner_(std::move(owner)),
      type_(std::move(type)),
      listener_(std::move(listener)),
      useCapture_(useCapture) {}

void ListenerHandle::remove() {
    if (auto owner = owner_.lock(); owner && !listener_.isNull()) {
        owner->removeEventListener(type_, listener_, useCapture_);
    }
    listener_ = rt::Function();
}

}  // namespace limn::events
