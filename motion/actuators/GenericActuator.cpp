#include "motion/actuators/GenericActuator.h"

#include "motion/easing/Expo.h"
#include "runtime/ProcessState.h"

namespace com::quillfern::motion::actuators {

namespace {

int live = 0;
GenericActuator::Unload unloadFromEngine = nullptr;

std::shared_ptr<easing::IEasing> firstEase() {
    return std::make_shared<easing::ExpoEaseOut>();
}

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered = rt::registerReset(
    rt::ResetLayer::Motion, [] { GenericActuator::startingEase() = firstEase(); });

}  // namespace

void callWith(const rt::Function& handler, const rt::ArrayPtr& parameters) {
    if (!handler) return;
    if (parameters) {
        handler.call(*parameters);
    } else {
        handler.call({});
    }
}

GenericActuator::GenericActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties)
    : duration(duration),
      properties(std::move(properties)),
      target(std::move(target)),
      _ease(startingEase()) {
    ++live;
}

GenericActuator::~GenericActuator() {
    --live;
}

int GenericActuator::liveCount() {
    return live;
}

std::shared_ptr<easing::IEasing>& GenericActuator::startingEase() {
    static std::shared_ptr<easing::IEasing> ease = firstEase();
    return ease;
}

void GenericActuator::setUnload(Unload unload) {
    unloadFromEngine = unload;
}

std::shared_ptr<GenericActuator> GenericActuator::self() {
    return std::static_pointer_cast<GenericActuator>(shared_from_this());
}

void GenericActuator::apply() {
    auto object = target.asObject();
    if (!object || !properties) return;
    for (const rt::Name& name : properties->fieldNames()) object->set(name, properties->get(name));
}

std::shared_ptr<GenericActuator> GenericActuator::autoVisible(bool value) {
    _autoVisible = value;
    return self();
}

void GenericActuator::change() {
    callWith(_onUpdate, _onUpdateParams);
}

void GenericActuator::complete(bool sendEvent) {
    // Keep this actuator alive to the end: unloading may drop the last reference.
    auto keep = self();
    if (sendEvent) {
        change();
        callWith(_onComplete, _onCompleteParams);
    }
    if (unloadFromEngine) unloadFromEngine(keep);
}

std::shared_ptr<GenericActuator> GenericActuator::delay(double duration) {
    _delay = duration;
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::ease(std::shared_ptr<easing::IEasing> easing) {
    _ease = std::move(easing);
    limnOptionsChanged();
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::onUpdate(rt::Function handler,
                                                           rt::ArrayPtr parameters) {
    _onUpdate = std::move(handler);
    _onUpdateParams = std::move(parameters);
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::onComplete(rt::Function handler,
                                                             rt::ArrayPtr parameters) {
    _onComplete = std::move(handler);
    _onCompleteParams = std::move(parameters);
    auto keep = self();
    if (duration == 0) complete(true);
    return keep;
}

std::shared_ptr<GenericActuator> GenericActuator::reflect(bool value) {
    _reflect = value;
    special = true;
    limnOptionsChanged();
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::repeat(int times) {
    _repeat = times;
    limnOptionsChanged();
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::reverse(bool value) {
    _reverse = value;
    special = true;
    limnOptionsChanged();
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::smartRotation(bool value) {
    _smartRotation = value;
    special = true;
    limnOptionsChanged();
    return self();
}

std::shared_ptr<GenericActuator> GenericActuator::snapping(bool value) {
    _snapping = value;
    special = true;
    limnOptionsChanged();
    return self();
}

const rt::ClassInfo& GenericActuator::staticClass() {
    using G = GenericActuator;
    static const rt::ClassInfo info =
        rt::ClassInfo("com.quillfern.motion.actuators.GenericActuator", &rt::Object::staticClass())
            .field<&G::duration>("duration")
            .field<&G::id>("id")
            .field<&G::properties>("properties")
            .field<&G::target>("target")
            .field<&G::_autoVisible>("_autoVisible")
            .field<&G::_delay>("_delay")
            .field<&G::_ease>("_ease")
            .field<&G::_onUpdate>("_onUpdate")
            .field<&G::_onUpdateParams>("_onUpdateParams")
            .field<&G::_onComplete>("_onComplete")
            .field<&G::_onCompleteParams>("_onCompleteParams")
            .field<&G::_reflect>("_reflect")
            .field<&G::_repeat>("_repeat")
            .field<&G::_reverse>("_reverse")
            .field<&G::_smartRotation>("_smartRotation")
            .field<&G::_snapping>("_snapping")
            .field<&G::special>("special")
            .method<&G::apply>("apply")
            .method<&G::autoVisible>("autoVisible")
            .method<&G::change>("change")
            .method<&G::complete>("complete")
            .method<&G::delay>("delay")
            .method<static_cast<std::shared_ptr<G> (G::*)(std::shared_ptr<easing::IEasing>)>(
                &G::ease)>("ease")
            .method<&G::move>("move")
            .method<static_cast<std::shared_ptr<G> (G::*)(rt::Function, rt::ArrayPtr)>(
                &G::onUpdate)>("onUpdate")
            .method<static_cast<std::shared_ptr<G> (G::*)(rt::Function, rt::ArrayPtr)>(
                &G::onComplete)>("onComplete")
            .method<&G::pause>("pause")
            .method<&G::reflect>("reflect")
            .method<&G::repeat>("repeat")
            .method<&G::resume>("resume")
            .method<&G::reverse>("reverse")
            .method<&G::smartRotation>("smartRotation")
            .method<&G::snapping>("snapping")
            .method<&G::stop>("stop");
    return info;
}

}  // namespace com::quillfern::motion::actuators
