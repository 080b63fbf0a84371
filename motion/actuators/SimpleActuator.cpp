#include "motion/actuators/SimpleActuator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/Lib.h"
#include "framework/display/DisplayObject.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "runtime/Error.h"
#include "runtime/Log.h"
#include "runtime/ProcessState.h"

namespace com::quillfern::motion::actuators {

namespace {

const rt::Name kAlpha("alpha");
const rt::Name kVisible("visible");
const char* const kNoStage = "Error : tweens need the stage, and the root clip is not on it";

double nowSeconds() {
    return limn::Lib::getTimer() / 1000.0;
}

// A tween of a property the target lacks runs from 0 and writes nowhere: say so
// once per class and name. The key is the one the object's own warning about
// the write uses, so the name is reported once, not twice.
void checkTweened(const rt::Object& object, rt::Name name) {
    if (object.hasField(name)) return;
    const std::string& type = object.classInfo().name();
    rt::log::warnOnce("set:" + type + "." + name.str(),
                      "tween of \"" + name.str() + "\", which " + type +
                          " does not have: a typo, or a member never registered in "
                          "its class table");
}

bool isNumberText(const std::string& text) {
    char* end = nullptr;
    (void)std::strtod(text.c_str(), &end);
    return !text.empty() && end != text.c_str() && *end == '\0';
}

// Tweens move numbers: a text end value (other than a number written as text)
// or a property that holds text is tweened as the number 0. Said once per class
// and name.
void checkNumeric(const rt::Object* object, rt::Name name, const rt::Dynamic& start,
                  const rt::Dynamic& end) {
    const bool textEnd = end.isString() && !isNumberText(end.asString());
    const bool textStart = start.isString() && !isNumberText(start.asString());
    if (!textEnd && !textStart) return;
    const std::string type = object != nullptr ? object->classInfo().name() : "the target";
    rt::log::warnOnce("tween-text:" + type + "." + name.str(),
                      "tween of \"" + name.str() + "\" of " + type + " towards \"" +
                          end.asString() +
                          "\": tweens move numbers, and a text value is taken as 0");
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

FrameList SimpleActuator::actuators;
std::vector<SimpleActuator::FrameRecord> SimpleActuator::records;
bool SimpleActuator::listening = false;

namespace {

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered =
    rt::registerReset(rt::ResetLayer::Motion, [] { SimpleActuator::limnResetFrameDriver(); });

}  // namespace

SimpleActuator::SimpleActuator(rt::Dynamic target, double duration, rt::ObjectPtr properties)
    : GenericActuator(std::move(target), duration, std::move(properties)) {
    startTime = nowSeconds();
    if (!listening) installFrameDriver();
}

void SimpleActuator::installFrameDriver() {
    auto stage = limn::Lib::current()->limnGetStage();
    if (!stage) throw rt::Error(kNoStage);
    stage->addEventListener(limn::events::Event::ENTER_FRAME,
                            rt::function<&SimpleActuator::shape_onEnterFrame>());
    // Only now: a failed first attempt must leave the next one to try again.
    listening = true;
}

void SimpleActuator::limnResetFrameDriver() {
    if (auto stage = listening ? limn::Lib::stageOrNull() : nullptr) {
        stage->removeEventListener(limn::events::Event::ENTER_FRAME,
                                   rt::function<&SimpleActuator::shape_onEnterFrame>());
    }
    for (const auto& actuator : actuators.entries_) {
        if (actuator) actuator->inFrame_ = false;
    }
    actuators.entries_.clear();
    actuators.finished_ = 0;
    records.clear();
    listening = false;
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
    refreshRecord();
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
    actuators.entries_.push_back(std::static_pointer_cast<SimpleActuator>(self()));
    records.emplace_back();
    frameSlot_ = actuators.entries_.size() - 1;
    inFrame_ = true;
}

std::shared_ptr<GenericActuator> SimpleActuator::onUpdate(rt::Function handler,
                                                          rt::ArrayPtr parameters) {
    GenericActuator::onUpdate(std::move(handler), std::move(parameters));
    sendChange = true;
    refreshRecord();
    return self();
}

void SimpleActuator::pause() {
    paused = true;
    pauseTime = limn::Lib::getTimer();
    refreshRecord();
}

void SimpleActuator::resume() {
    if (!paused) return;
    paused = false;
    timeOffset += (limn::Lib::getTimer() - pauseTime) / 1000.0;
    refreshRecord();
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
    releaseFrameEntry();
    if (complete) apply();
    this->complete(sendEvent);
}

void SimpleActuator::initialize() {
    auto object = target.asObject();
    if (properties) {
        for (const rt::Name& name : properties->fieldNames()) {
            if (object) checkTweened(*object, name);
            const rt::Dynamic from = object ? object->get(name) : rt::Dynamic();
            const rt::Dynamic to = properties->get(name);
            checkNumeric(object.get(), name, from, to);
            double start = from.asFloat();
            double end = to.asFloat();
            propertyDetails.emplace_back(target, name, start, end - start);
        }
    }
    detailsLength = static_cast<int>(propertyDetails.size());
    initialized = true;
}

void SimpleActuator::writeCommon(double e) {
    for (int i = 0; i < detailsLength; ++i) {
        const PropertyDetails& d = propertyDetails[i];
        d.limnWriter.write(d.start + d.change * e);
    }
}

void SimpleActuator::writeSpecial(double position) {
    double e = _ease->calculate(_reverse ? 1 - position : position);
    for (int i = 0; i < detailsLength; ++i) {
        const PropertyDetails& d = propertyDetails[i];
        double turn =
            _smartRotation && isRotation(d.propertyName.str()) ? shortestTurn(d.change) : d.change;
        double value = d.start + turn * e;
        if (_snapping) {
            d.limnWriter.write(static_cast<int>(std::floor(value + 0.5)));
        } else {
            d.limnWriter.write(value);
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
            releaseFrameEntry();
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

SimpleActuator::FrameRecord SimpleActuator::record() const {
    FrameRecord r;
    r.timeOffset = timeOffset;
    bool common = active && !paused && initialized && !special && !sendChange && _ease &&
                  detailsLength == 1 && propertyDetails.size() == 1;
    if (!common) return r;
    const PropertyDetails& d = propertyDetails[0];
    r.duration = duration;
    r.start = d.start;
    r.change = d.change;
    r.ease = _ease.get();
    r.writer = d.limnWriter;
    return r;
}

void SimpleActuator::refreshRecord() {
    if (!inFrame_ || frameSlot_ >= actuators.entries_.size() ||
        actuators.entries_[frameSlot_].get() != this) {
        return;
    }
    records[frameSlot_] = record();
    recordEase_ = _ease;
    recordTarget_ = propertyDetails.empty() ? nullptr : propertyDetails[0].target.asObject();
}

void SimpleActuator::releaseFrameEntry() {
    if (!inFrame_ || frameSlot_ >= actuators.entries_.size() ||
        actuators.entries_[frameSlot_].get() != this) {
        return;
    }
    // The entry stays, counted, until the next frame drops it; the list just
    // stops owning a finished actuator, so that frame only skips it.
    records[frameSlot_] = FrameRecord{};
    inFrame_ = false;
    recordEase_ = nullptr;
    recordTarget_ = nullptr;
    actuators.entries_[frameSlot_] = nullptr;
}

void SimpleActuator::keepEntry(std::size_t from, std::size_t to) {
    if (from == to) return;
    auto& entries = actuators.entries_;
    entries[to] = std::move(entries[from]);
    records[to] = records[from];
    if (entries[to]) entries[to]->frameSlot_ = to;
}

// The walk is bound by fetching the targets; start that a few entries early.
void SimpleActuator::prefetchAhead(std::size_t index, std::size_t n) {
    constexpr std::size_t kObjectAhead = 16;
    constexpr std::size_t kSlotAhead = 8;
    std::size_t size = std::min(n, records.size());
    if (index + kObjectAhead < size) records[index + kObjectAhead].writer.prefetchObject();
    if (index + kSlotAhead < size && records[index + kSlotAhead].ease) {
        records[index + kSlotAhead].writer.prefetchSlot();
    }
}

void SimpleActuator::shape_onEnterFrame(const std::shared_ptr<limn::events::Event>&) {
    double now = nowSeconds();
    auto& entries = actuators.entries_;
    // The entries that finished during the last walk are dropped first, all at once.
    std::size_t n = entries.size();
    actuators.finished_ = 0;
    // One pass: kept entries move down to `kept`, inactive ones are dropped
    // where they are met, so no entry is erased from the middle.
    std::size_t kept = 0;
    std::size_t finished = 0;
    std::size_t index = 0;
    for (; index < n && index < entries.size(); ++index) {
        prefetchAhead(index, n);
        // A copy: an ease or a setter may start tweens, which grows the arrays.
        const FrameRecord r = records[index];
        if (r.ease) {
            if (!(now > r.timeOffset)) {
                keepEntry(index, kept++);
                continue;
            }
            double position = (now - r.timeOffset) / r.duration;
            if (position < 1) {
                r.writer.write(r.start + r.change * r.ease->calculate(position));
                keepEntry(index, kept++);
                continue;
            }
        }
        std::shared_ptr<SimpleActuator> actuator = entries[index];
        if (!actuator) continue;
        if (!actuator->active) {
            actuator->inFrame_ = false;
            entries[index] = nullptr;
            continue;
        }
        keepEntry(index, kept);
        ++kept;
        if (!(now > actuator->timeOffset)) continue;
        actuator->update(now);
        actuator->refreshRecord();
        // Finished or stopped during its own update: it counts until the next walk.
        if (kept > 0 && kept <= entries.size() && entries[kept - 1] == nullptr) {
            --kept;
            ++finished;
        }
    }
    // Entries appended by handlers during the walk move down behind the kept ones.
    for (; index < entries.size(); ++index) keepEntry(index, kept++);
    kept = std::min(kept, entries.size());
    entries.resize(kept);
    records.resize(kept);
    actuators.finished_ = finished;
}

const rt::ClassInfo& SimpleActuator::staticClass() {
    using S = SimpleActuator;
    static const rt::ClassInfo info = rt::ClassInfo("com.quillfern.motion.actuators.SimpleActuator",
                                                    &GenericActuator::staticClass())
                                          .readOnly<&S::timeOffset>("timeOffset")
                                          .readOnly<&S::active>("active")
                                          .readOnly<&S::cacheVisible>("cacheVisible")
                                          .readOnly<&S::detailsLength>("detailsLength")
                                          .readOnly<&S::initialized>("initialized")
                                          .readOnly<&S::paused>("paused")
                                          .readOnly<&S::pauseTime>("pauseTime")
                                          .readOnly<&S::sendChange>("sendChange")
                                          .readOnly<&S::setVisible>("setVisible")
                                          .readOnly<&S::startTime>("startTime")
                                          .readOnly<&S::toggleVisible>("toggleVisible")
                                          .method<&S::initialize>("initialize")
                                          .method<&S::update>("update");
    return info;
}

}  // namespace com::quillfern::motion::actuators
