#include "framework/display/Stage.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/Timer.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "framework/events/FocusEvent.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/events/MouseEvent.h"
#include "framework/events/TouchEvent.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "framework/media/SoundChannel.h"
#include "native/Call.h"
#include "native/EventRecord.h"
#include "runtime/Log.h"
#include "runtime/ProcessState.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_set_stage_handler> setStageHandler;
const native::Call<native::wire::limn_render_stage> renderStage;
const native::Call<native::wire::limn_stage_set_next_wake> setNextWake;
const native::Call<native::wire::limn_stage_get_focus_id> getFocusId;
const native::Call<native::wire::limn_stage_set_focus> setFocus;
const native::Call<native::wire::limn_stage_get_focus_rect> getFocusRect;
const native::Call<native::wire::limn_stage_set_focus_rect> setFocusRect;
const native::Call<native::wire::limn_stage_is_opengl> isOpenGL;
const native::Call<native::wire::limn_stage_get_stage_width> getStageWidth;
const native::Call<native::wire::limn_stage_get_stage_height> getStageHeight;
const native::Call<native::wire::limn_stage_get_dpi_scale> getDpiScale;
const native::Call<native::wire::limn_stage_get_scale_mode> getScaleMode;
const native::Call<native::wire::limn_stage_set_scale_mode> setScaleMode;
const native::Call<native::wire::limn_stage_get_align> getAlign;
const native::Call<native::wire::limn_stage_set_align> setAlign;
const native::Call<native::wire::limn_stage_get_quality> getQuality;
const native::Call<native::wire::limn_stage_set_quality> setQuality;
const native::Call<native::wire::limn_stage_get_display_state> getDisplayState;
const native::Call<native::wire::limn_stage_set_display_state> setDisplayState;

// The limit handed to the timers when nothing else bounds the wake (seconds).
constexpr double kNoTimerLimit = 315000000.0;
// The longest sleep while sound completions are pending (seconds).
constexpr double kSoundPollInterval = 0.02;

using enum native::EventCodes::EventType;
using native::EventCodes::efPrimaryTouch;

// The record's fields, named once.
const rt::Name kType("type");
const rt::Name kX("x");
const rt::Name kY("y");
const rt::Name kId("id");
const rt::Name kFlags("flags");
const rt::Name kValue("value");
const rt::Name kCode("code");
const rt::Name kDown("down");
const rt::Name kChar("char");
const rt::Name kResult("result");

int intField(rt::Object& event, const rt::Name& name) {
    return event.get(name).asInt();
}

geom::Point pointOf(rt::Object& event) {
    return geom::Point(event.get(kX).asFloat(), event.get(kY).asFloat());
}

// Enumeration indices from the backend; one it doesn't define reads as the first value.
template <class E>
E enumOf(const rt::Dynamic& index, int count) {
    const int i = index.asInt();
    return (i >= 0 && i < count) ? static_cast<E>(i) : static_cast<E>(0);
}

bool same(const std::weak_ptr<InteractiveObject>& held, const InteractiveObject* object) {
    auto live = held.lock();
    return live && live.get() == object;
}

std::shared_ptr<InteractiveObject> innermost(const DisplayObject::InteractiveStack& stack) {
    return stack.empty() ? nullptr : stack.back();
}

std::shared_ptr<InteractiveObject> innermost(const Stage::HoverStack& stack) {
    return stack.empty() ? nullptr : stack.back().lock();
}

// The count of leading positions that hold the same live object in both stacks.
std::size_t commonLength(const DisplayObject::InteractiveStack& stack,
                         const Stage::HoverStack& prev) {
    std::size_t n = 0;
    while (n < stack.size() && n < prev.size() && same(prev[n], stack[n].get())) ++n;
    return n;
}

Stage::HoverStack weakly(const DisplayObject::InteractiveStack& stack) {
    return Stage::HoverStack(stack.begin(), stack.end());
}

rt::Dynamic dynamicOf(const std::shared_ptr<InteractiveObject>& object) {
    return object ? rt::Dynamic(object) : rt::Dynamic();
}

rt::Function portraitOnly() {
    return rt::function([](int orientation) { return orientation == Stage::OrientationPortrait; });
}

// With LIMN_LOG=debug: the intervals between frames of the frame loop and
// the time each frame took, summed up every kFrameReport seconds.
class FrameReport {
public:
    void add(double interval, double took) {
        intervals_.push_back(interval);
        took_ += took;
        if (intervals_.size() > 1 && sum() >= kFrameReport) flush();
    }

private:
    static constexpr double kFrameReport = 5.0;

    [[nodiscard]] double sum() const {
        double total = 0;
        for (double i : intervals_) total += i;
        return total;
    }
    void flush() {
        std::vector<double> sorted = intervals_;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted[sorted.size() / 2];
        char text[160];
        std::snprintf(text, sizeof text,
                      "frames: %zu, interval median %.2f ms (min %.2f, max %.2f), "
                      "%.3f ms a frame in enterFrame and render",
                      sorted.size(), median * 1000, sorted.front() * 1000, sorted.back() * 1000,
                      took_ * 1000 / static_cast<double>(sorted.size()));
        rt::log::debug(text);
        intervals_.clear();
        took_ = 0;
    }

    std::vector<double> intervals_;
    double took_ = 0;
};

FrameReport& frameReport() {
    static FrameReport report;
    return report;
}

// Back to a fresh process's state, for tests.
[[maybe_unused]] const bool resetRegistered = rt::registerReset(
    rt::ResetLayer::Framework, [] { Stage::shouldRotateInterface = portraitOnly(); });

}  // namespace

const std::array<std::string, 4> Stage::limnMouseChanges = {"mouseOut", "mouseOver", "rollOut",
                                                            "rollOver"};
const std::array<std::string, 4> Stage::limnTouchChanges = {"touchOut", "touchOver", "touchRollOut",
                                                            "touchRollOver"};

rt::Function Stage::shouldRotateInterface = portraitOnly();

const rt::ClassInfo& Stage::staticClass() {
    using Self = Stage;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Stage", &DisplayObjectContainer::staticClass())
            .field<&Stage::onKey>("onKey")
            .field<&Stage::onQuit>("onQuit") LIMN_STAGE_PROPERTIES(RT_BIND_RW, RT_BIND_RO)
            .property<&Stage::limnGetFocus, &Stage::limnSetFocus>("focus")
            .property<&Stage::limnIsOpenGL>("isOpenGL")
            .property<&Stage::byNameGetScaleMode, &Stage::byNameSetScaleMode>("scaleMode")
            .property<&Stage::byNameGetAlign, &Stage::byNameSetAlign>("align")
            .property<&Stage::byNameGetQuality, &Stage::byNameSetQuality>("quality")
            .property<&Stage::byNameGetDisplayState, &Stage::byNameSetDisplayState>("displayState")
            .method<&Stage::invalidate>("invalidate")
            .method<&Stage::limnSetFrameRate>("limnSetFrameRate")
            .method<&Stage::limnRender>("limnRender")
            .method<&Stage::limnCheckRender>("limnCheckRender")
            .method<&Stage::limnNextFrameDue>("limnNextFrameDue")
            .method<&Stage::limnPollTimers>("limnPollTimers")
            .method<&Stage::limnUpdateNextWake>("limnUpdateNextWake")
            .method<&Stage::limnDoProcessStageEvent>("limnDoProcessStageEvent")
            .method<&Stage::limnProcessStageEvent>("limnProcessStageEvent");
    return info;
}

Stage::Stage(rt::Dynamic handle, int width, int height)
    : DisplayObjectContainer(std::move(handle)) {
    setStageHandler({.stage = limnHandle,
                     .handler = rt::bind<&Stage::limnProcessStageEvent>(this),
                     .width = width,
                     .height = height});
    limnInvalid = false;
    limnLastRender = 0;
    limnSetFrameRate(100);
}

std::shared_ptr<Stage> Stage::limnGetStage() {
    return std::static_pointer_cast<Stage>(weak_from_this().lock());
}

bool Stage::limnIsOpenGL() const {
    return display::isOpenGL({.stage = limnHandle});
}

void Stage::invalidate() {
    limnInvalid = true;
}

double Stage::limnSetFrameRate(double rate) {
    frameRate_ = rate;
    limnFramePeriod = rate <= 0 ? rate : 1.0 / rate;
    return rate;
}

std::shared_ptr<InteractiveObject> Stage::limnGetFocus() {
    auto found = limnFindByID(getFocusId({.stage = limnHandle}));
    return found ? found->limnAsInteractiveObject() : nullptr;
}

std::shared_ptr<InteractiveObject> Stage::limnSetFocus(
    const std::shared_ptr<InteractiveObject>& object) {
    display::setFocus({.stage = limnHandle,
                       .target = object ? object->limnHandle : rt::Dynamic(),
                       .reserved = 0});
    return object;
}

bool Stage::limnGetStageFocusRect() const {
    return getFocusRect({.stage = limnHandle}) != 0;
}

bool Stage::limnSetStageFocusRect(bool flag) {
    setFocusRect({.stage = limnHandle, .value = flag});
    return flag;
}

double Stage::limnGetStageWidth() const {
    return getStageWidth({.stage = limnHandle});
}

double Stage::limnGetStageHeight() const {
    return getStageHeight({.stage = limnHandle});
}

double Stage::limnGetDPIScale() const {
    return getDpiScale({.stage = limnHandle});
}

StageScaleMode Stage::limnGetScaleMode() const {
    return enumOf<StageScaleMode>(getScaleMode({.stage = limnHandle}), kStageScaleModeCount);
}

StageScaleMode Stage::limnSetScaleMode(StageScaleMode mode) {
    display::setScaleMode({.stage = limnHandle, .value = static_cast<int>(mode)});
    return mode;
}

StageAlign Stage::limnGetAlign() const {
    return enumOf<StageAlign>(getAlign({.stage = limnHandle}), kStageAlignCount);
}

StageAlign Stage::limnSetAlign(StageAlign align) {
    display::setAlign({.stage = limnHandle, .value = static_cast<int>(align)});
    return align;
}

StageQuality Stage::limnGetQuality() const {
    return enumOf<StageQuality>(getQuality({.stage = limnHandle}), kStageQualityCount);
}

StageQuality Stage::limnSetQuality(StageQuality quality) {
    display::setQuality({.stage = limnHandle, .value = static_cast<int>(quality)});
    return quality;
}

StageDisplayState Stage::limnGetDisplayState() const {
    return enumOf<StageDisplayState>(getDisplayState({.stage = limnHandle}),
                                     kStageDisplayStateCount);
}

StageDisplayState Stage::limnSetDisplayState(StageDisplayState state) {
    display::setDisplayState({.stage = limnHandle, .value = static_cast<int>(state)});
    return state;
}

int Stage::byNameSetScaleMode(int i) {
    limnSetScaleMode(enumOf<StageScaleMode>(i, kStageScaleModeCount));
    return i;
}

int Stage::byNameSetAlign(int i) {
    limnSetAlign(enumOf<StageAlign>(i, kStageAlignCount));
    return i;
}

int Stage::byNameSetQuality(int i) {
    limnSetQuality(enumOf<StageQuality>(i, kStageQualityCount));
    return i;
}

int Stage::byNameSetDisplayState(int i) {
    limnSetDisplayState(enumOf<StageDisplayState>(i, kStageDisplayStateCount));
    return i;
}

// Dragging.

void Stage::limnStartDrag(const std::shared_ptr<Sprite>& sprite, bool lockCenter,
                          const std::shared_ptr<geom::Rectangle>& bounds) {
    limnDragBounds = bounds ? bounds->clone() : nullptr;
    limnDragObject = sprite;
    if (!sprite) return;
    if (lockCenter) {
        limnDragOffsetX = -0.5 * sprite->limnGetWidth();
        limnDragOffsetY = -0.5 * sprite->limnGetHeight();
        return;
    }
    auto mouse = std::make_shared<geom::Point>(limnGetMouseX(), limnGetMouseY());
    if (auto parent = sprite->limnGetParent()) mouse = parent->globalToLocal(*mouse);
    limnDragOffsetX = sprite->limnGetX() - mouse->x;
    limnDragOffsetY = sprite->limnGetY() - mouse->y;
}

void Stage::limnDrag(const geom::Point& point) {
    auto sprite = limnDragObject;
    if (!sprite) return;
    geom::Point local = point;
    if (auto parent = sprite->limnGetParent()) {
        auto converted = parent->globalToLocal(point);
        local = geom::Point(converted->x, converted->y);
    }
    double x = local.x + limnDragOffsetX;
    double y = local.y + limnDragOffsetY;
    if (const auto& b = limnDragBounds) {
        if (x < b->x) {
            x = b->x;
        } else if (x > b->get_right()) {
            x = b->get_right();
        }
        if (y < b->y) {
            y = b->y;
        } else if (y > b->get_bottom()) {
            y = b->get_bottom();
        }
    }
    sprite->limnSetX(x);
    sprite->limnSetY(y);
}

void Stage::limnStopDrag(const std::shared_ptr<Sprite>&) {
    limnDragBounds = nullptr;
    limnDragObject = nullptr;
}

// Input routing.

DisplayObject::InteractiveStack Stage::stackOf(rt::Object& event) {
    InteractiveStack stack;
    if (auto object = limnFindByID(intField(event, kId))) {
        object->limnGetInteractiveObjectStack(stack);
    }
    return stack;
}

void Stage::limnCheckInOuts(const std::shared_ptr<events::MouseEvent>& event,
                            const InteractiveStack& stack,
                            const std::shared_ptr<TouchInfo>& touchInfo) {
    HoverStack& stored = touchInfo ? touchInfo->touchOverObjects : limnMouseOverObjects;
    const auto& names = touchInfo ? limnTouchChanges : limnMouseChanges;
    auto newObj = innermost(stack);
    auto oldObj = innermost(stored);
    if (newObj == oldObj) return;
    // A copy: listeners below may route further events that replace the stored stack.
    const HoverStack prev = stored;
    const rt::Dynamic newDyn = dynamicOf(newObj);
    const rt::Dynamic oldDyn = dynamicOf(oldObj);
    if (oldObj) oldObj->limnFireEvent(event->limnCreateSimilar(names[0], newDyn, oldDyn));
    if (newObj) newObj->limnFireEvent(event->limnCreateSimilar(names[1], oldDyn));
    const std::size_t common = commonLength(stack, prev);
    auto rollOut = event->limnCreateSimilar(names[2], newDyn, oldDyn);
    for (std::size_t i = prev.size(); i-- > common;) {
        if (auto object = prev[i].lock()) object->dispatchEvent(rollOut);
    }
    auto rollOver = event->limnCreateSimilar(names[3], oldDyn);
    for (std::size_t i = stack.size(); i-- > common;) stack[i]->dispatchEvent(rollOver);
    stored = weakly(stack);
}

void Stage::limnOnMouse(rt::Object& event, const std::string& type) {
    const geom::Point point = pointOf(event);
    if (limnDragObject) limnDrag(point);
    InteractiveStack stack = stackOf(event);
    if (stack.empty()) {
        limnCheckInOuts(events::MouseEvent::limnCreate(type, event, point, rt::Dynamic()), stack);
        return;
    }
    auto target = stack.front();
    std::reverse(stack.begin(), stack.end());
    auto local = target->globalToLocal(point);
    auto e = events::MouseEvent::limnCreate(type, event, *local, target);
    limnCheckInOuts(e, stack);
    target->limnFireEvent(e);
}

void Stage::limnOnTouch(rt::Object& event, const std::string& type,
                        const std::shared_ptr<TouchInfo>& touchInfo) {
    const geom::Point point = pointOf(event);
    InteractiveStack stack = stackOf(event);
    std::shared_ptr<InteractiveObject> target;
    std::shared_ptr<geom::Point> local;
    if (!stack.empty()) {
        target = stack.front();
        std::reverse(stack.begin(), stack.end());
        local = target->globalToLocal(point);
    }
    auto e = events::TouchEvent::limnCreate(type, event, local ? *local : point, dynamicOf(target));
    e->touchPointID = intField(event, kValue);
    e->isPrimaryTouchPoint = (intField(event, kFlags) & efPrimaryTouch) != 0;
    limnCheckInOuts(e, stack, touchInfo);
    if (target) target->limnFireEvent(e);
}

void Stage::limnOnKey(rt::Object& event, const std::string& type) {
    InteractiveStack stack = stackOf(event);
    if (stack.empty()) return;
    const int f = intField(event, kFlags);
    auto e = std::make_shared<events::KeyboardEvent>(
        type, true, true, intField(event, kCode), intField(event, kValue),
        (f & efLocationRight) == 0 ? 1 : 0, (f & efCtrlDown) != 0, (f & efAltDown) != 0,
        (f & efShiftDown) != 0);
    stack.front()->limnFireEvent(e);
    if (e->limnGetIsCancelled()) event.set(kResult, 1);
}

void Stage::limnOnFocus(rt::Object& event) {
    InteractiveStack stack = stackOf(event);
    const int value = intField(event, kValue);
    if (!stack.empty() && (value == 1 || value == 2)) {
        rt::Dynamic related;
        if (!limnFocusOverObjects.empty()) related = dynamicOf(limnFocusOverObjects[0].lock());
        auto e = std::make_shared<events::FocusEvent>(
            value == 1 ? "mouseFocusChange" : "keyFocusChange", true, true, related,
            intField(event, kFlags) > 0, intField(event, kCode));
        stack.front()->limnFireEvent(e);
        if (e->limnGetIsCancelled()) {
            event.set(kResult, 1);
            return;
        }
    }
    std::reverse(stack.begin(), stack.end());
    limnCheckFocusInOuts(event, stack);
}

void Stage::limnCheckFocusInOuts(rt::Object& event, const InteractiveStack& stack) {
    auto newObj = innermost(stack);
    auto oldObj = innermost(limnFocusOverObjects);
    if (newObj == oldObj) return;
    const HoverStack prev = limnFocusOverObjects;
    const std::size_t common = commonLength(stack, prev);
    const bool shift = intField(event, kFlags) > 0;
    const int code = intField(event, kCode);
    auto out = std::make_shared<events::FocusEvent>("focusOut", false, false, dynamicOf(newObj),
                                                    shift, code);
    for (std::size_t i = prev.size(); i-- > common;) {
        if (auto object = prev[i].lock()) object->dispatchEvent(out);
    }
    auto in = std::make_shared<events::FocusEvent>("focusIn", false, false, dynamicOf(oldObj),
                                                   shift, code);
    for (std::size_t i = stack.size(); i-- > common;) stack[i]->dispatchEvent(in);
    limnFocusOverObjects = weakly(stack);
}

void Stage::limnOnResize(double, double) {
    limnBroadcast(std::make_shared<events::Event>(events::Event::RESIZE));
}

void Stage::limnOnChange(rt::Object& event) {
    if (auto target = limnFindByID(intField(event, kId))) {
        // Aimed at the changed object: left null, the first ancestor with
        // listeners would claim the target during the capture phase.
        auto change = std::make_shared<events::Event>(events::Event::CHANGE);
        change->target = target;
        target->limnFireEvent(change);
    }
}

// Frame loop.

void Stage::limnRender(bool sendEnterFrame) {
    if (sendEnterFrame) limnBroadcast(std::make_shared<events::Event>(events::Event::ENTER_FRAME));
    if (limnInvalid) {
        limnInvalid = false;
        limnBroadcast(std::make_shared<events::Event>(events::Event::RENDER));
    }
    renderStage({.stage = limnHandle});
}

void Stage::limnCheckRender() {
    if (!(frameRate_ > 0)) return;
    const double now = Timer::stamp();
    // A clock that went back would otherwise hold the frames until it caught up again.
    if (now >= limnLastRender + limnFramePeriod || now < limnLastRender) {
        const double interval = now - limnLastRender;
        limnLastRender = now;
        limnRender(true);
        if (rt::log::enabled(rt::log::Level::Debug) && interval > 0 && interval < 1) {
            frameReport().add(interval, Timer::stamp() - now);
        }
    }
}

double Stage::limnNextFrameDue(double otherTimers) {
    if (!(frameRate_ > 0)) return otherTimers;
    const double untilDue = limnLastRender + limnFramePeriod - Timer::stamp();
    double next = untilDue - limnEarlyWakeup;
    // Inside the early margin the frame is not due yet: sleep until it is, not spin.
    if (next <= 0 && untilDue > 0) next = untilDue;
    next = std::min(next, limnFramePeriod);
    return next < otherTimers ? next : otherTimers;
}

void Stage::limnPollTimers() {
    Timer::limnCheckTimers();
    media::SoundChannel::limnPollComplete();
    limnCheckRender();
}

double Stage::limnUpdateNextWake() {
    double wake = Timer::limnNextWake(kNoTimerLimit);
    if (wake > kSoundPollInterval && media::SoundChannel::limnCompletePending()) {
        wake = kSoundPollInterval;
    }
    wake = limnNextFrameDue(wake);
    setNextWake({.stage = limnHandle, .at = wake});
    return wake;
}

// Event pump.

rt::Dynamic Stage::limnProcessStageEvent(const rt::Dynamic& event) {
    limnDoProcessStageEvent(event);
    return {};
}

double Stage::limnDoProcessStageEvent(const rt::Dynamic& event) {
    if (auto record = event.asObject()) handle(*record, intField(*record, kType));
    return limnUpdateNextWake();
}

void Stage::handle(rt::Object& event, int type) {
    switch (type) {
        case etKeyDown:
            return limnOnKey(event, "keyDown");
        case etChar:
            if (onKey)
                onKey(event.get(kCode), event.get(kDown), event.get(kChar), event.get(kFlags));
            return;
        case etKeyUp:
            return limnOnKey(event, "keyUp");
        case etMouseMove:
            return limnOnMouse(event, "mouseMove");
        case etMouseDown:
            return limnOnMouse(event, "mouseDown");
        case etMouseClick:
            return limnOnMouse(event, "click");
        case etMouseUp:
            return limnOnMouse(event, "mouseUp");
        case etResize:
            limnOnResize(event.get(kX).asFloat(), event.get(kY).asFloat());
            return limnRender(false);
        case etPoll:
            return limnPollTimers();
        case etQuit:
            if (onQuit) onQuit();
            return;
        case etFocus:
            return limnOnFocus(event);
        case etShouldRotate:
            if (shouldRotateInterface && shouldRotateInterface(event.get(kValue)).asBool()) {
                event.set(kResult, 2);
            }
            return;
        case etRedraw:
            return limnRender(true);
        case etTouchBegin:
        case etTouchMove:
        case etTouchEnd:
            return onTouchEvent(event, type);
        case etChange:
            return limnOnChange(event);
        default:
            return;
    }
}

void Stage::onTouchEvent(rt::Object& event, int type) {
    const int id = intField(event, kValue);
    if (type == etTouchBegin) {
        auto info = std::make_shared<TouchInfo>();
        limnTouchInfo[id] = info;
        return limnOnTouch(event, "touchBegin", info);
    }
    auto it = limnTouchInfo.find(id);
    auto info = it == limnTouchInfo.end() ? nullptr : it->second;
    if (type == etTouchMove) return limnOnTouch(event, "touchMove", info);
    limnOnTouch(event, "touchEnd", info);
    limnTouchInfo.erase(id);
}

}  // namespace limn::display
