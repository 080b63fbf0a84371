#include "motion/Kinetra.h"

#include "motion/TweenTimer.h"
#include "motion/actuators/SimpleActuator.h"
#include "runtime/ProcessState.h"

namespace com::quillfern::motion {

using actuators::GenericActuator;
using actuators::SimpleActuator;

namespace {

Kinetra::Actuator makeSimple(const rt::Dynamic& target, double duration,
                             const rt::ObjectPtr& properties) {
    return std::make_shared<SimpleActuator>(target, duration, properties);
}

std::string keyOf(const rt::Dynamic& target) {
    return target.toString();
}

// A text or an array of names becomes a property set of those names.
rt::ObjectPtr normalise(const rt::Dynamic& properties) {
    if (auto* text = properties.stringIf()) return rt::props({{rt::Name(*text), {}}});
    if (auto names = properties.asArray()) {
        auto set = rt::props();
        for (const auto& name : *names) set->set(rt::Name(name.asString()), {});
        return set;
    }
    return properties.asObject();
}

}  // namespace

Kinetra::ActuatorClass Kinetra::defaultActuator = &makeSimple;
std::shared_ptr<easing::IEasing>& Kinetra::defaultEase = GenericActuator::startingEase();
std::map<std::string, Kinetra::Library> Kinetra::targetLibraries;

namespace {

// Completed actuators leave the lists of this file; set with the lists themselves, so
// any program that can file an actuator has the way back out.
[[maybe_unused]] const bool unloadSet = (GenericActuator::setUnload(&Kinetra::unload), true);

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered = rt::registerReset(rt::ResetLayer::Motion, [] {
    Kinetra::reset();
    Kinetra::defaultActuator = &makeSimple;
});

}  // namespace

Kinetra::Library& Kinetra::getLibrary(const rt::Dynamic& target) {
    return targetLibraries[keyOf(target)];
}

std::vector<Kinetra::Actuator> Kinetra::actuatorsOf(const Library& list,
                                                    const rt::Dynamic& target) {
    if (list.allFiled()) {
        if (auto object = target.asObject()) return list.filedFor(object.get());
    }
    std::vector<Actuator> mine;
    for (const Actuator& a : list) {
        if (a->getTarget() == target) mine.push_back(a);
    }
    return mine;
}

std::vector<Kinetra::Actuator> Kinetra::actuatorsOf(const rt::Dynamic& target) {
    return actuatorsOf(getLibrary(target), target);
}

Kinetra::Actuator Kinetra::tween(const rt::Dynamic& target, double duration,
                                 const rt::ObjectPtr& properties, bool overwrite,
                                 const ActuatorClass& customActuator) {
    if (target.isNull()) return nullptr;
    if (!(duration > 0)) return apply(target, properties, customActuator);
    Actuator actuator = makeSimple(target, duration, properties);
    std::string key = keyOf(target);
    if (overwrite) {
        for (const Actuator& old : actuatorsOf(targetLibraries[key], target)) {
            old->stop(actuator->getProperties(), false, false);
        }
    }
    // Looked up again: the stops above may have emptied the list and removed it.
    Library& list = targetLibraries[key];
    list.file(actuator, std::move(key));
    actuator->move();
    return actuator;
}

Kinetra::Actuator Kinetra::apply(const rt::Dynamic& target, const rt::ObjectPtr& properties,
                                 const ActuatorClass& customActuator) {
    stop(target, properties, false);
    const ActuatorClass& make = customActuator ? customActuator : defaultActuator;
    Actuator actuator = make(target, 0, properties);
    actuator->apply();
    return actuator;
}

Kinetra::Actuator Kinetra::timer(double duration, const ActuatorClass& customActuator) {
    return tween(std::make_shared<TweenTimer>(0), duration, std::make_shared<TweenTimer>(1), false,
                 customActuator);
}

void Kinetra::stop(const rt::Dynamic& target, const rt::Dynamic& properties, bool complete) {
    if (target.isNull()) return;
    rt::ObjectPtr set = normalise(properties);
    for (const Actuator& a : actuatorsOf(target)) a->stop(set, complete, true);
}

void Kinetra::pause(const rt::Dynamic& target) {
    for (const Actuator& a : actuatorsOf(target)) a->pause();
}

void Kinetra::resume(const rt::Dynamic& target) {
    for (const Actuator& a : actuatorsOf(target)) a->resume();
}

void Kinetra::pauseAll() {
    for (auto& [key, list] : targetLibraries) {
        for (const Actuator& a : std::vector<Actuator>(list.begin(), list.end())) a->pause();
    }
}

void Kinetra::resumeAll() {
    for (auto& [key, list] : targetLibraries) {
        for (const Actuator& a : std::vector<Actuator>(list.begin(), list.end())) a->resume();
    }
}

void Kinetra::reset() {
    // Take the lists out first: a stopped actuator leaves its list, which no
    // longer is in the map, so nothing else changes. No handler runs.
    std::map<std::string, Library> lists;
    lists.swap(targetLibraries);
    for (const auto& [key, list] : lists) {
        for (const Actuator& a : std::vector<Actuator>(list.begin(), list.end())) {
            a->stop(nullptr, false, false);
        }
    }
}

void Kinetra::unload(const Actuator& actuator) {
    if (Library* filed = actuator->limnGetFiledList()) {
        filed->removeFiled(*actuator);
        if (filed->empty()) eraseIfEmpty(actuator->limnGetLibraryKey(), filed);
        return;
    }
    const std::string& filedKey = actuator->limnGetLibraryKey();
    auto it = targetLibraries.find(filedKey.empty() ? keyOf(actuator->getTarget()) : filedKey);
    if (it == targetLibraries.end()) return;
    it->second.remove(actuator.get());
    if (it->second.empty()) targetLibraries.erase(it);
}

void Kinetra::eraseIfEmpty(const std::string& key, const Library* list) {
    auto it = targetLibraries.find(key);
    if (it != targetLibraries.end() && &it->second == list && list->empty()) {
        targetLibraries.erase(it);
    }
}

std::shared_ptr<TransformOptions> Kinetra::transform(const rt::Dynamic& target, double duration,
                                                     bool overwrite) {
    return std::make_shared<TransformOptions>(target, duration, overwrite);
}

std::shared_ptr<EffectsOptions> Kinetra::effects(const rt::Dynamic& target, double duration,
                                                 bool overwrite) {
    return std::make_shared<EffectsOptions>(target, duration, overwrite);
}

}  // namespace com::quillfern::motion
