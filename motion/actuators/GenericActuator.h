#pragma once
// One tween of one target: what to animate, for how long, how, and whom to
// tell. Options chain: Kinetra::tween(...)->ease(Quad::easeOut())->delay(0.4).
// This base class only holds the options, runs the completion sequence and can
// set all end values at once; SimpleActuator drives it from frames.
//
// The actuator shares `target` and `properties` with the caller (no copies).
// Handlers are callables; bound methods hold their receivers weakly.

#include <concepts>
#include <list>
#include <memory>
#include <string>
#include <type_traits>

#include "motion/easing/IEasing.h"
#include "runtime/Function.h"
#include "runtime/Object.h"

namespace com::quillfern::motion {
class ActuatorList;
}

namespace com::quillfern::motion::actuators {

class GenericActuator : public rt::Object {
public:
    RT_DECLARE_CLASS
    GenericActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties);
    ~GenericActuator() override;

    // Writes every end value to the target now, in the order the property set lists them.
    virtual void apply();
    virtual std::shared_ptr<GenericActuator> autoVisible(bool value = true);
    // Calls the update handler with its parameters, if one is set.
    virtual void change();
    // The completion sequence: handlers (when sendEvent), then leaving the target's list.
    virtual void complete(bool sendEvent = true);
    virtual std::shared_ptr<GenericActuator> delay(double duration);
    virtual std::shared_ptr<GenericActuator> ease(std::shared_ptr<easing::IEasing> easing);
    virtual void move() {}
    virtual std::shared_ptr<GenericActuator> onUpdate(rt::Function handler,
                                                      rt::ArrayPtr parameters = nullptr);
    // On a zero-duration actuator the completion sequence runs at once.
    virtual std::shared_ptr<GenericActuator> onComplete(rt::Function handler,
                                                        rt::ArrayPtr parameters = nullptr);
    virtual void pause() {}

    // From C++: any callable taking nothing for the handlers, and a curve by value.
    //   Kinetra::tween(star, 1, {{"x", 200}})->ease(Quad::easeOut)->onComplete([&] { next(); });
    template <class F>
    requires(std::invocable<F&> && !std::same_as<std::decay_t<F>, rt::Function>)
        std::shared_ptr<GenericActuator> onComplete(F&& handler) {
        return onComplete(rt::function(std::forward<F>(handler)));
    }
    template <class F>
    requires(std::invocable<F&> && !std::same_as<std::decay_t<F>, rt::Function>)
        std::shared_ptr<GenericActuator> onUpdate(F&& handler) {
        return onUpdate(rt::function(std::forward<F>(handler)));
    }
    std::shared_ptr<GenericActuator> ease(std::shared_ptr<easing::IEasing> (*curve)()) {
        return ease(curve ? curve() : nullptr);
    }

    virtual std::shared_ptr<GenericActuator> reflect(bool value = true);
    // Further runs after the first: 0 none, n > 0 that many, negative without end.
    virtual std::shared_ptr<GenericActuator> repeat(int times = -1);
    virtual void resume() {}
    virtual std::shared_ptr<GenericActuator> reverse(bool value = true);
    virtual std::shared_ptr<GenericActuator> smartRotation(bool value = true);
    virtual std::shared_ptr<GenericActuator> snapping(bool value = true);
    virtual void stop(const rt::ObjectPtr& /*properties*/, bool /*complete*/, bool /*sendEvent*/) {}

    // Actuators alive in the process, for leak checks.
    static int liveCount();

    // The ease a new actuator starts with (Kinetra::defaultEase names this same value).
    static std::shared_ptr<easing::IEasing>& startingEase();
    // How a completed actuator leaves the lists of the engine that filed it. The engine sets
    // this when it starts; an actuator no engine filed has no list to leave.
    using Unload = void (*)(const std::shared_ptr<GenericActuator>&);
    static void setUnload(Unload unload);

    // What the facade and the lists read: the animated object and the end values.
    [[nodiscard]] const rt::Dynamic& getTarget() const { return target; }
    [[nodiscard]] const rt::ObjectPtr& getProperties() const { return properties; }
    // The list this actuator was filed in (null when none holds it now) and the
    // key of the facade's map it was filed under (empty when never filed).
    [[nodiscard]] ActuatorList* limnGetFiledList() const { return place_.list; }
    [[nodiscard]] const std::string& limnGetLibraryKey() const { return libraryKey_; }

protected:
    // Options and identity; all of them are also read and written by name.
    double duration;
    rt::Dynamic id;
    rt::ObjectPtr properties;
    rt::Dynamic target;
    double _delay = 0;
    std::shared_ptr<easing::IEasing> _ease;
    rt::Function _onUpdate;
    rt::ArrayPtr _onUpdateParams;
    rt::Function _onComplete;
    rt::ArrayPtr _onCompleteParams;
    bool _reflect = false;
    int _repeat = 0;
    bool _reverse = false;
    bool _smartRotation = false;
    bool _snapping = false;
    bool special = false;
    bool _autoVisible = true;

    std::shared_ptr<GenericActuator> self();
    // Called after an option that the frame update reads has changed.
    virtual void limnOptionsChanged() {}

private:
    // ActuatorList::file records the place and the key; the list keeps them.
    friend class motion::ActuatorList;

    // The key of the facade list this actuator was filed under: it leaves that
    // list even if the target's string form has changed meanwhile.
    std::string libraryKey_;
    // Where ActuatorList::file put it: the list (null when not filed), its
    // entry there and its entry in the index by target object.
    struct LibraryPlace {
        ActuatorList* list = nullptr;
        std::list<std::shared_ptr<GenericActuator>>::iterator entry;
        const rt::Object* indexedUnder = nullptr;
        std::list<GenericActuator*>::iterator byTarget;
    };
    LibraryPlace place_;
};

// Calls a handler with the elements of an argument array (none when null).
void callWith(const rt::Function& handler, const rt::ArrayPtr& parameters);

}  // namespace com::quillfern::motion::actuators
