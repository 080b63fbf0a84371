#include "motion/actuators/SimpleActuator.h"

#include <cmath>

#include "framework/Lib.h"
#include "framework/display/DisplayObject.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Shape.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "runtime/Log.h"
#include "runtime/ProcessState.h"

namespace com::quillfern::motion::actuators {

namespace {

const rt::Name kAlpha("alpha");
const rt::Name kVisible("visible");

double nowSeconds() {
    return limn::Lib::getTimer() / 1000.0;
}

// A tween of a property the target lacks runs from 0 and writes nowhere: say so
// once per class and name (the write itself is reported by the object too).
void checkTweened(const rt::Object& object, rt::Name name) {
    if (object.hasField(name)) return;
    const std::string& type = object.classInfo().name();
    rt::log::warnOnce("tween:" + type + "." + name.str(),
                      "tween of \"" + name.str() + "\", which " + type +
                          " does not have: a typo, or a member never registered in "
                          "its class table");
}

bool isRotation(const std::string& name) {
    return name == "rotation" || name == "rotationX" || name == "rotationY" || name == "rotationZ";
}

// The shorter way round: the change modulo 360, folded into [-180, 180].
double shortestTurn(double change) {
    double r = change - 360.0 * std::trunc(change / 360.0);
    if (r > 180) return r - 360;
    if (r < -180) return r + 360;
    return r;
}

void write(const rt::Dynamic& target, rt::Name name, const rt::Dynamic& value) {
    if (auto object = target.asObject()) object->set(name, value);
}

}  // namespace

std::vector<std::shared_ptr<SimpleActuator>> SimpleActuator::actuators;
int SimpleActuator::actuatorsLength = 0;
std::shared_ptr<limn::display::Shape> SimpleActuator::shape;

namespace {

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Motion, [] { SimpleActuator::limnResetFrameDriver(); });

}  // namespace

SimpleActuator::SimpleActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties)
    : GenericActuator(std::move(target), duration, std::move(properties)) {
    startTime = nowSeconds();
    if (!shape) {
        shape = std::make_shared<limn::display::Shape>();
        limn::Lib::current()->limnGetStage()->addEventListener(
            limn::events::Event::ENTER_FRAME, rt::function<&SimpleActuator::shape_onEnterFrame>());
    }
}

void SimpleActuator::limnResetFrameDriver() {
    if (shape && limn::Lib::limnStage) {
        limn::Lib::limnStage->removeEventListener(
            limn::events::Event::ENTER_FRAME, rt::function<&SimpleActuator::shape_onEnterFrame>());
    }
    actuators.clear();
    actuatorsLength = 0;
    shape = nullptr;
}

std::shared_ptr<GenericActuator> SimpleActuator::autoVisible(bool value) {
    _autoVisible = value;
    if (!value) {
        toggleVisible = false;
        if (setVisible) write(target, kVisible, cacheVisible);
    }
    return self();
}

std::shared_ptr<GenericActuator> SimpleActuator::delay(double duration) {
    _delay = duration;
    timeOffset = startTime + duration;
    return self();
}

void SimpleActuator::move() {
    auto display = target.as<limn::display::DisplayObject>();
    toggleVisible = false;
    if (display && properties && properties->hasField(kAlpha)) {
        toggleVisible = true;
        rt::Dynamic end = properties->get(kAlpha);
        bool endIsZero = !end.isNull() && end.asFloat() == 0;
        if (!display->get(kVisible).asBool() && !endIsZero) {
            setVisible = true;
            cacheVisible = false;
            display->set(kVisible, true);
        }
    }
    timeOffset = startTime;
    actuators.push_back(std::static_pointer_cast<SimpleActuator>(self()));
    ++actuatorsLength;
}

std::shared_ptr<GenericActuator> SimpleActuator::onUpdate(rt::Function handler,
                                                          rt::ArrayPtr parameters) {
    GenericActuator::onUpdate(std::move(handler), std::move(parameters));
    sendChange = true;
    return self();
}

void SimpleActuator::pause() {
    paused = true;
    pauseTime = limn::Lib::getTimer();
}

void SimpleActuator::resume() {
    if (!paused) return;
    paused = false;
    timeOffset += (limn::Lib::getTimer() - pauseTime) / 1000.0;
}

void SimpleActuator::stop(const rt::ObjectPtr& given, bool complete, bool sendEvent) {
    if (!active) return;
    bool matches = given == nullptr;
    if (given && properties) {
        for (const rt::Name& name : given->fieldNames()) {
            if (properties->hasField(name)) {
                matches = true;
                break;
            }
        }
    }
    if (!matches) return;
    auto keep = self();
    active = false;
    if (complete) apply();
    this->complete(sendEvent);
}

void SimpleActuator::initialize() {
    auto object = target.asObject();
    if (properties) {
        for (const rt::Name& name : properties->fieldNames()) {
            if (object) checkTweened(*object, name);
            double start = object ? object->get(name).asFloat() : 0.0;
            double end = properties->get(name).asFloat();
            propertyDetails.emplace_back(target, name, start, end - start);
        }
    }
    detailsLength = static_cast<int>(propertyDetails.size());
    initialized = true;
}

void SimpleActuator::writeCommon(double e) {
    for (int i = 0; i < detailsLength; ++i) {
        const PropertyDetails& d = propertyDetails[i];
        if (d.limnObject) d.limnObject->set(d.propertyName, d.start + d.change * e);
    }
}

void SimpleActuator::writeSpecial(double position) {
    double e = _ease->calculate(_reverse ? 1 - position : position);
    for (int i = 0; i < detailsLength; ++i) {
        const PropertyDetails& d = propertyDetails[i];
        double turn =
            _smartRotation && isRotation(d.propertyName.str()) ? shortestTurn(d.change) : d.change;
        double value = d.start + turn * e;
        if (!d.limnObject) continue;
        if (_snapping) {
            d.limnObject->set(d.propertyName, static_cast<int>(std::floor(value + 0.5)));
        } else {
            d.limnObject->set(d.propertyName, value);
        }
    }
}

void SimpleActuator::update(double currentTime) {
    if (paused) return;
    double position = (currentTime - timeOffset) / duration;
    if (position > 1) position = 1;
    if (!initialized) initialize();
    if (special) {
        writeSpecial(position);
    } else {
        writeCommon(_ease->calculate(position));
    }
    if (position == 1) {
        if (_repeat == 0) {
            auto keep = self();
            active = false;
            auto object = target.asObject();
            if (toggleVisible && object && object->get(kAlpha).asFloat() == 0) {
                object->set(kVisible, false);
            }
            complete(true);
            return;
        }
        finishRun(currentTime);
    }
    if (sendChange) {
        auto keep = self();  // the handler may drop the last reference
        change();
    }
}

void SimpleActuator::finishRun(double currentTime) {
    if (_reflect) _reverse = !_reverse;
    startTime = currentTime;
    timeOffset = currentTime + _delay;
    if (_repeat > 0) --_repeat;
}

void SimpleActuator::shape_onEnterFrame(const std::shared_ptr<limn::events::Event>&) {
    double now = nowSeconds();
    int n = actuatorsLength;
    int index = 0;
    for (int step = 0; step < n && index < static_cast<int>(actuators.size()); ++step) {
        // Not a shared copy: update() holds itself alive around every handler it runs.
        SimpleActuator* actuator = actuators[index].get();
        if (actuator->active) {
            if (now > actuator->timeOffset) actuator->update(now);
            ++index;
        } else {
            actuators.erase(actuators.begin() + index);
            --actuatorsLength;
        }
    }
}

const rt::ClassInfo& SimpleActuator::staticClass() {
    using S = SimpleActuator;
    static const rt::ClassInfo info = rt::ClassInfo("com.quillfern.motion.actuators.SimpleActuator",
                                                    &GenericActuator::staticClass())
                                          .field<&S::timeOffset>("timeOffset")
                                          .field<&S::active>("active")
                                          .field<&S::cacheVisible>("cacheVisible")
                                          .field<&S::detailsLength>("detailsLength")
                                          .field<&S::initialized>("initialized")
                                          .field<&S::paused>("paused")
                                          .field<&S::pauseTime>("pauseTime")
                                          .field<&S::sendChange>("sendChange")
                                          .field<&S::setVisible>("setVisible")
                                          .field<&S::startTime>("startTime")
                                          .field<&S::toggleVisible>("toggleVisible")
                                          .method<&S::initialize>("initialize")
                                          .method<&S::update>("update");
    return info;
}

}  // namespace com::quillfern::motion::actuators
