#pragma once
// One registration of a listener on a dispatcher: the callable, its capture
// flag, the priority it was given (recorded only; it never reorders) and a
// serial number. Held by std::shared_ptr in the dispatcher's arrays.
//
// The listener is held as given: an rt::bind callable doesn't keep its object
// alive and does nothing once that object is gone.

#include <memory>

#include "runtime/Dynamic.h"
#include "runtime/Object.h"

namespace limn::events {

class Event;

class Listener : public rt::Object {
public:
    RT_DECLARE_CLASS

    Listener(rt::Function listener, bool useCapture, int priority);

    [[nodiscard]] const rt::Function& listener() const { return mListner; }
    [[nodiscard]] bool useCapture() const { return mUseCapture; }
    [[nodiscard]] int priority() const { return mPriority; }
    [[nodiscard]] int id() const { return mID; }
    // The serial number the next Listener takes; the first one made takes 1.
    [[nodiscard]] static int nextId();

    // Calls the listener with the event.
    void dispatchEvent(const std::shared_ptr<Event>& event);
    // The same callable (same method on the same object, not the same wrapper)
    // with the same capture flag.
    [[nodiscard]] bool Is(const rt::Function& listener, bool useCapture) const;

private:
    rt::Function mListner;
    bool mUseCapture;
    int mPriority;
    int mID;
};

}  // namespace limn::events
