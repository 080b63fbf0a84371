#pragma once
// The tween engine's entry point: static only.
//
//   Kinetra::tween(sprite, 1, rt::props({{"alpha", 0}}))->ease(Quad::easeOut())->delay(0.4);
//   Kinetra::timer(3.5)->onComplete(rt::bind<&Game::next>(this));
//   Kinetra::tween(star, 0.8, {{"x", 200}, {"alpha", 0}})->ease(Quad::easeOut)->onComplete([&] {});
//
// The facade keeps, per target, the list of actuators animating it, keyed by
// the target's string form; targets that share a string form share a list,
// and every operation given a target only touches the actuators whose own
// target is that very target. Lists hold actuators from their start until they
// complete or stop; an emptied list leaves the map. Each list also finds a
// target's own actuators through an index by target object, and every
// actuator leaves its list in constant time, so starting, stopping and
// finishing tweens costs the same however many other targets share a list.

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "motion/ActuatorList.h"
#include "motion/EffectsOptions.h"
#include "motion/TransformOptions.h"
#include "motion/actuators/GenericActuator.h"
#include "motion/easing/IEasing.h"

namespace com::quillfern::motion {

class Kinetra {
public:
    using Actuator = std::shared_ptr<actuators::GenericActuator>;
    // An actuator class: builds one from (target, duration, properties).
    using ActuatorClass = std::function<Actuator(const rt::Dynamic&, double, const rt::ObjectPtr&)>;
    using Library = ActuatorList;

    Kinetra() = delete;

    // Null when target is null; a duration of zero or less applies at once.
    static Actuator tween(const rt::Dynamic& target, double duration,
                          const rt::ObjectPtr& properties, bool overwrite = true,
                          const ActuatorClass& customActuator = nullptr);
    // From C++, the properties as a plain list: tween(star, 0.8, {{"x", 200}, {"alpha", 0}}).
    using PropertyList = std::initializer_list<std::pair<rt::Name, rt::Dynamic>>;
    static Actuator tween(const rt::Dynamic& target, double duration, PropertyList properties,
                          bool overwrite = true) {
        return tween(target, duration, rt::props(properties), overwrite);
    }
    static Actuator apply(const rt::Dynamic& target, const rt::ObjectPtr& properties,
                          const ActuatorClass& customActuator = nullptr);
    static Actuator timer(double duration, const ActuatorClass& customActuator = nullptr);
    // properties: null (all), a property set, one name as text, or an array of names.
    static void stop(const rt::Dynamic& target, const rt::Dynamic& properties = {},
                     bool complete = false);
    static void pause(const rt::Dynamic& target);
    static void resume(const rt::Dynamic& target);
    static void pauseAll();
    static void resumeAll();
    static void reset();
    static Library& getLibrary(const rt::Dynamic& target);
    static void unload(const Actuator& actuator);
    static std::shared_ptr<TransformOptions> transform(const rt::Dynamic& target,
                                                       double duration = 0, bool overwrite = true);
    static std::shared_ptr<EffectsOptions> effects(const rt::Dynamic& target, double duration,
                                                   bool overwrite = true);

    static ActuatorClass defaultActuator;
    // The ease new actuators start with; one value with GenericActuator::startingEase().
    static std::shared_ptr<easing::IEasing>& defaultEase;

private:
    friend struct KinetraProbe;  // tests

    // The running actuators, one list per target's string form (getLibrary files them).
    static std::map<std::string, Library> targetLibraries;

    // The actuators of target's list that animate exactly target, as they are now.
    static std::vector<Actuator> actuatorsOf(const rt::Dynamic& target);
    static std::vector<Actuator> actuatorsOf(const Library& list, const rt::Dynamic& target);
    // Removes list from the map if it is still there under key and empty.
    static void eraseIfEmpty(const std::string& key, const Library* list);
};

}  // namespace com::quillfern::motion
