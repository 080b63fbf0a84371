#pragma once
// The root of the display tree and the one entry point of native events.
//
// The backend calls limnProcessStageEvent with one native event record per
// event (fields read by name: type, x, y, id, flags, value, code, down, char;
// only `result` is written back). The stage routes input to display objects
// (hover, focus and drag included), fires due timers and sound completions on
// polls, runs the frame loop ("enterFrame" to the whole tree, then a render)
// and ends every event by telling the backend how long it may sleep
// ("limn_stage_set_next_wake", seconds).
//
// Times are seconds on the Timer clock. The wake is the least of the next
// timer, 0.02 s while sound completions are pending, and the next frame less
// limnEarlyWakeup; it is zero or less only while a frame or a timer is
// overdue, and with the frame loop on it never exceeds one frame period.
//
// Made once per process (limn::Lib, or as a ManagedStage) with std::make_shared.
// Hover and focus stacks hold objects weakly, outermost (the stage) first.

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/display/DisplayObjectContainer.h"
#include "framework/display/StageAlign.h"
#include "framework/display/StageDisplayState.h"
#include "framework/display/StageQuality.h"
#include "framework/display/StageScaleMode.h"
#include "framework/display/TouchInfo.h"
#include "native/WireConstants.h"
#include "runtime/Function.h"

namespace limn::events {
class MouseEvent;
}

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_STAGE_PROPERTIES(RW, RO)        \
    RW(frameRate, FrameRate, double)         \
    RW(stageFocusRect, StageFocusRect, bool) \
    RO(stageWidth, StageWidth)               \
    RO(stageHeight, StageHeight)             \
    RO(dpiScale, DPIScale)

namespace limn::display {

// The event record's codes (native/WireConstants.h) are members: Stage::etPoll.
class Stage : public DisplayObjectContainer, public native::EventCodes {
public:
    RT_DECLARE_CLASS

    using HoverStack = TouchInfo::HoverStack;

    static constexpr int OrientationPortrait = 1;
    static constexpr int OrientationPortraitUpsideDown = 2;
    static constexpr int OrientationLandscapeLeft = 3;
    static constexpr int OrientationLandscapeRight = 4;
    static constexpr int OrientationFaceUp = 5;
    static constexpr int OrientationFaceDown = 6;

    static constexpr double limnEarlyWakeup = 0.005;  // seconds before a frame is due

    static const std::array<std::string, 4> limnMouseChanges;  // out, over, roll out, roll over
    static const std::array<std::string, 4> limnTouchChanges;

    // callable(orientation) -> bool, asked on a rotation query; the default
    // allows portrait only. Null refuses every rotation.
    static rt::Function shouldRotateInterface;

    // Registers the event handler with the backend ("limn_set_stage_handler")
    // and starts the frame loop at 100 frames per second.
    Stage(rt::Dynamic handle, int width, int height);

    rt::Function onKey;   // callable(code, down, char, flags) for character events, or null
    rt::Function onQuit;  // callable() for the quit event, or null

    // Frames per second; written through limnSetFrameRate, which also sets the period.
    [[nodiscard]] double limnGetFrameRate() const { return frameRate_; }
    // The hover and focus stacks of the last mouse and focus events, and the live touches.
    [[nodiscard]] const HoverStack& mouseOverObjects() const { return limnMouseOverObjects; }
    [[nodiscard]] const HoverStack& focusOverObjects() const { return limnFocusOverObjects; }
    [[nodiscard]] const std::unordered_map<int, std::shared_ptr<TouchInfo>>& touches() const {
        return limnTouchInfo;
    }

    std::shared_ptr<Stage> limnGetStage() override;

    [[nodiscard]] bool limnIsOpenGL() const;
    // The next render also broadcasts "render".
    void invalidate();
    // Zero or less switches the frame loop off. Returns `rate`.
    double limnSetFrameRate(double rate);
    [[nodiscard]] std::shared_ptr<InteractiveObject> limnGetFocus();
    std::shared_ptr<InteractiveObject> limnSetFocus(
        const std::shared_ptr<InteractiveObject>& object);
    [[nodiscard]] bool limnGetStageFocusRect() const;
    bool limnSetStageFocusRect(bool flag);
    [[nodiscard]] double limnGetStageWidth() const;
    [[nodiscard]] double limnGetStageHeight() const;
    [[nodiscard]] double limnGetDPIScale() const;
    [[nodiscard]] StageScaleMode limnGetScaleMode() const;
    StageScaleMode limnSetScaleMode(StageScaleMode mode);
    [[nodiscard]] StageAlign limnGetAlign() const;
    StageAlign limnSetAlign(StageAlign align);
    [[nodiscard]] StageQuality limnGetQuality() const;
    StageQuality limnSetQuality(StageQuality quality);
    [[nodiscard]] StageDisplayState limnGetDisplayState() const;
    StageDisplayState limnSetDisplayState(StageDisplayState state);

    // Plain accessors: frameRate() is limnGetFrameRate(), setFrameRate(r) limnSetFrameRate(r)...
    LIMN_STAGE_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    [[nodiscard]] bool isOpenGL() const { return limnIsOpenGL(); }
    [[nodiscard]] std::shared_ptr<InteractiveObject> focus() { return limnGetFocus(); }
    void setFocus(const std::shared_ptr<InteractiveObject>& object) { limnSetFocus(object); }
    [[nodiscard]] StageScaleMode scaleMode() const { return limnGetScaleMode(); }
    void setScaleMode(StageScaleMode mode) { limnSetScaleMode(mode); }
    [[nodiscard]] StageAlign align() const { return limnGetAlign(); }
    void setAlign(StageAlign align) { limnSetAlign(align); }
    [[nodiscard]] StageQuality quality() const { return limnGetQuality(); }
    void setQuality(StageQuality quality) { limnSetQuality(quality); }
    [[nodiscard]] StageDisplayState displayState() const { return limnGetDisplayState(); }
    void setDisplayState(StageDisplayState state) { limnSetDisplayState(state); }

    // Dragging: only mouse events move the sprite; bounds clamp its position
    // in its parent's coordinates.
    void limnStartDrag(const std::shared_ptr<Sprite>& sprite, bool lockCenter,
                       const std::shared_ptr<geom::Rectangle>& bounds) override;
    void limnStopDrag(const std::shared_ptr<Sprite>& sprite) override;

    // Renders now (with "enterFrame" first when asked).
    virtual void limnRender(bool sendEnterFrame);
    // Handles one record; returns the wake delay sent to the backend.
    virtual double limnDoProcessStageEvent(const rt::Dynamic& event);
    // The handler the backend calls; returns null.
    rt::Dynamic limnProcessStageEvent(const rt::Dynamic& event);

protected:
    void limnPollTimers();

private:
    // Tests read and set the frame schedule and the drag state through it; they are
    // not reachable by name, so a by-name write can't leave frameRate stale.
    friend struct StageProbe;

    // Routing, called only from limnDoProcessStageEvent (the methods of the
    // frame loop are also reachable by name, as they always were).
    void limnDrag(const geom::Point& point);
    // Input routing. `event` is the native record; `stack` is outermost first.
    void limnCheckInOuts(const std::shared_ptr<events::MouseEvent>& event,
                         const InteractiveStack& stack,
                         const std::shared_ptr<TouchInfo>& touchInfo = nullptr);
    void limnOnMouse(rt::Object& event, const std::string& type);
    void limnOnTouch(rt::Object& event, const std::string& type,
                     const std::shared_ptr<TouchInfo>& touchInfo);
    void limnCheckFocusInOuts(rt::Object& event, const InteractiveStack& stack);
    void limnOnFocus(rt::Object& event);
    void limnOnKey(rt::Object& event, const std::string& type);
    void limnOnResize(double width, double height);
    // Frame loop.
    void limnOnChange(rt::Object& event);
    void limnCheckRender();
    // Seconds until the next frame (less the early margin), or `otherTimers`
    // when that is sooner or the frame loop is off.
    double limnNextFrameDue(double otherTimers);
    double limnUpdateNextWake();

    HoverStack limnMouseOverObjects;
    HoverStack limnFocusOverObjects;
    bool limnInvalid = false;
    std::shared_ptr<geom::Rectangle> limnDragBounds;
    std::shared_ptr<Sprite> limnDragObject;
    double limnDragOffsetX = 0;
    double limnDragOffsetY = 0;
    double limnFramePeriod = 0.01;
    double limnLastRender = 0;
    std::unordered_map<int, std::shared_ptr<TouchInfo>> limnTouchInfo;
    double frameRate_ = 100;

    [[nodiscard]] InteractiveStack stackOf(rt::Object& event);
    void handle(rt::Object& event, int type);
    void onTouchEvent(rt::Object& event, int type);

    [[nodiscard]] int byNameGetScaleMode() const { return static_cast<int>(limnGetScaleMode()); }
    int byNameSetScaleMode(int i);
    [[nodiscard]] int byNameGetAlign() const { return static_cast<int>(limnGetAlign()); }
    int byNameSetAlign(int i);
    [[nodiscard]] int byNameGetQuality() const { return static_cast<int>(limnGetQuality()); }
    int byNameSetQuality(int i);
    [[nodiscard]] int byNameGetDisplayState() const {
        return static_cast<int>(limnGetDisplayState());
    }
    int byNameSetDisplayState(int i);
};

}  // namespace limn::display
