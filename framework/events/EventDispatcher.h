#pragma once
// Listeners per event type for one object, and dispatch to them.
//
// Dispatch walks the type's array live, in registration order: listeners added
// during a dispatch run in it when the walk reaches them, a listener removed
// before its turn doesn't run, and a listener that removes itself doesn't make
// the next one be skipped. Capture listeners run only in the capture phase,
// the others only in the target and bubble phases. stopImmediatePropagation()
// on a cancelable event ends the walk at once.
//
// The target reported for events that have none is the object given to the
// constructor (held weakly), or the dispatcher itself when none is given; the
// dispatcher never holds a strong reference to itself. Create dispatchers with
// std::make_shared: that is how they find themselves.
//
//   auto d = std::make_shared<EventDispatcher>();
//   d->addEventListener(Event::COMPLETE, rt::bind<&Game::onDone>(this));
//   d->DispatchCompleteEvent();
//
// From C++, on() takes any callable, with no parameter or with a reference to
// the event class it expects, and returns a handle that removes it:
//
//   auto h = button->on(MouseEvent::CLICK, [&](MouseEvent& e) { score += 1; });
//   h.remove();

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "framework/events/Event.h"
#include "framework/events/IEventDispatcher.h"
#include "framework/events/Listener.h"
#include "framework/events/ListenerHandle.h"
#include "runtime/Function.h"
#include "runtime/Object.h"

namespace limn::events {

namespace detail {

template <class F>
using ListenerParams = typename rt::detail::CallableTraits<std::decay_t<F>>::Params;

// A callable taking E& (E an Event class) or nothing, as a listener. An event of
// another class under the same type is passed over: the callable can't take it.
template <class F>
rt::Function eventListener(F&& f) {
    using Params = ListenerParams<F>;
    if constexpr (std::tuple_size_v<Params> == 0) {
        return rt::function([f = std::forward<F>(f)](const rt::Dynamic&) { f(); });
    } else {
        static_assert(std::tuple_size_v<Params> == 1, "a listener takes the event or nothing");
        using E = std::remove_cvref_t<std::tuple_element_t<0, Params>>;
        static_assert(std::is_base_of_v<Event, E>,
                      "a listener's parameter is a reference to an event class");
        return rt::function([f = std::forward<F>(f)](const rt::Dynamic& value) {
            if (auto* event = dynamic_cast<E*>(value.asObject().get())) f(*event);
        });
    }
}

}  // namespace detail

class EventDispatcher : public rt::Object, public IEventDispatcher {
public:
    RT_DECLARE_CLASS

    using ListenerArray = std::vector<std::shared_ptr<Listener>>;
    using EventMap = std::unordered_map<std::string, ListenerArray>;

    explicit EventDispatcher(std::weak_ptr<rt::Object> target = {});

    // Appends a new entry; the same listener may be added more than once.
    // `priority` is recorded and doesn't reorder; `useWeakReference` has no
    // effect. A null listener is ignored.
    void addEventListener(const std::string& type, const rt::Function& listener,
                          bool useCapture = false, int priority = 0,
                          bool useWeakReference = false) override;
    // Returns false when no entry exists for the event's type (or the event is
    // null), else true whether or not a listener ran. Sets the event's target
    // when it is null. A listener's exception ends the walk and propagates.
    bool dispatchEvent(const std::shared_ptr<Event>& event) override;
    // True once an entry exists for the type, even an empty one.
    [[nodiscard]] bool hasEventListener(const std::string& type) const override;
    // Removes the first matching entry only; later duplicates stay.
    void removeEventListener(const std::string& type, const rt::Function& listener,
                             bool useCapture = false) override;
    [[nodiscard]] bool willTrigger(const std::string& type) const override;

    // Adds any callable as a listener: `f()` or `f(MouseEvent&)` (any Event class).
    template <class F>
    requires(!std::is_same_v<std::decay_t<F>, rt::Function>) ListenerHandle
        on(const std::string& type, F&& listener, bool useCapture = false) {
        rt::Function fn = detail::eventListener(std::forward<F>(listener));
        addEventListener(type, fn, useCapture);
        auto self = std::static_pointer_cast<EventDispatcher>(weak_from_this().lock());
        return {self, type, fn, useCapture};
    }

    // Dispatches a new "complete" Event (not bubbling, not cancelable).
    void DispatchCompleteEvent();
    // Dispatches a new "ioError" IOErrorEvent with default arguments.
    void DispatchIOErrorEvent();

    // The object reported as an event's target when the event has none: the
    // constructor's target, or this dispatcher. Null once that object is gone.
    [[nodiscard]] rt::Dynamic limnGetTarget() const;

protected:
    // Called once per type, when addEventListener makes the type's entry
    // (the first listener of a type; the map itself comes with the first).
    virtual void listenerTypeAdded(const std::string& /*type*/) {}

private:
    // Made by the first addEventListener; an entry, once made, stays even when
    // its array empties.
    std::unique_ptr<EventMap> limnEventMap;

    // The type's array as the table holds it now, or null when it is gone.
    [[nodiscard]] const ListenerArray* liveArray(const std::string& type) const;

    std::weak_ptr<rt::Object> target_;
    bool targetIsSelf_;
};

}  // namespace limn::events
