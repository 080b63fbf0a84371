#pragma once
// A listener added with EventDispatcher::on(), and the way to take it off again.
//
//   auto handle = button->on(MouseEvent::CLICK, [&](MouseEvent& e) { ... });
//   handle.remove();  // later; a second remove() does nothing
//
// The handle holds the dispatcher weakly: it never keeps it alive, and removing
// from a dispatcher that is gone does nothing. Dropping a handle leaves the
// listener in place.

#include <memory>
#include <string>

#include "runtime/Dynamic.h"

namespace limn::events {

class EventDispatcher;

class ListenerHandle {
public:
    ListenerHandle() = default;
    ListenerHandle(std::weak_ptr<EventDispatcher> owner, std::string type, rt::Function listener,
                   bool useCapture);

    // Takes the listener off its dispatcher (the first matching entry).
    void remove();
    // True until remove() and while the dispatcher lives.
    [[nodiscard]] bool active() const { return !listener_.isNull() && !owner_.expired(); }
    // The callable as registered, for removeEventListener.
    [[nodiscard]] const rt::Function& listener() const { return listener_; }

private:
    std::weak_ptr<EventDispatcher> owner_;
    std::string type_;
    rt::Function listener_;
    bool useCapture_ = false;
};

}  // namespace limn::events
