#pragma once
// What every event source offers: listeners registered per event type, and
// dispatch of an event to them. EventDispatcher is the implementation.

#include <memory>
#include <string>

#include "runtime/Dynamic.h"

namespace limn::events {

class Event;

class IEventDispatcher {
public:
    virtual ~IEventDispatcher() = default;

    virtual void addEventListener(const std::string& type, const rt::Function& listener,
                                  bool useCapture = false, int priority = 0,
                                  bool useWeakReference = false) = 0;
    virtual bool dispatchEvent(const std::shared_ptr<Event>& event) = 0;
    [[nodiscard]] virtual bool hasEventListener(const std::string& type) const = 0;
    virtual void removeEventListener(const std::string& type, const rt::Function& listener,
                                     bool useCapture = false) = 0;
    [[nodiscard]] virtual bool willTrigger(const std::string& type) const = 0;

protected:
    IEventDispatcher() = default;
    IEventDispatcher(const IEventDispatcher&) = default;
    IEventDispatcher& operator=(const IEventDispatcher&) = default;
};

}  // namespace limn::events
