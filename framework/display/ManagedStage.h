#pragma once
// A stage driven by a host instead of a backend-owned main frame.
//
// The host pumps native event records in (pumpEvent, resize, sendQuit), polls
// with an etPoll record once the last wake delay has passed, and hears each new
// wake delay through the setNextWake hook. beginRender/endRender bracket every
// render. Hooks run on the pumping thread; a hook set to null is skipped.
//
//   auto stage = limn::Lib::createManagedStage(320, 480);
//   stage->setNextWake = rt::function([&](double seconds) { sleepFor = seconds; });
//   auto poll = std::make_shared<limn::native::EventRecord>();
//   poll->type = ManagedStage::etPoll;
//   stage->pumpEvent(poll);

#include "framework/display/Stage.h"

namespace limn::display {

class ManagedStage : public Stage {
public:
    RT_DECLARE_CLASS

    // Type codes of the native event record.
    static constexpr int etUnknown = 0;
    static constexpr int etKeyDown = 1;
    static constexpr int etChar = 2;
    static constexpr int etKeyUp = 3;
    static constexpr int etMouseMove = 4;
    static constexpr int etMouseDown = 5;
    static constexpr int etMouseClick = 6;
    static constexpr int etMouseUp = 7;
    static constexpr int etResize = 8;
    static constexpr int etPoll = 9;
    static constexpr int etQuit = 10;
    static constexpr int etFocus = 11;
    static constexpr int etShouldRotate = 12;
    static constexpr int etDestroyHandler = 13;
    static constexpr int etRedraw = 14;
    static constexpr int etTouchBegin = 15;
    static constexpr int etTouchMove = 16;
    static constexpr int etTouchEnd = 17;
    static constexpr int etTouchTap = 18;
    static constexpr int etChange = 19;

    // Bits of the record's `flags`.
    static constexpr int efLeftDown = 0x0001;
    static constexpr int efShiftDown = 0x0002;
    static constexpr int efCtrlDown = 0x0004;
    static constexpr int efAltDown = 0x0008;
    static constexpr int efCommandDown = 0x0010;
    static constexpr int efMiddleDown = 0x0020;
    static constexpr int efRightDown = 0x0040;
    static constexpr int efLocationRight = 0x4000;
    static constexpr int efPrimaryTouch = 0x8000;

    // A new native stage of this size ("limn_managed_stage_create").
    ManagedStage(int width, int height);

    rt::Function setNextWake;  // callable(delay seconds); does nothing by default
    rt::Function beginRender;  // callable(); does nothing by default
    rt::Function endRender;    // callable(); does nothing by default

    // Pumps a resize record (type 8, x = width, y = height).
    void resize(int width, int height);
    // Hands the record to the backend, which delivers it to the stage's handler.
    void pumpEvent(const rt::Dynamic& event);
    // Pumps a quit record (type 10).
    void sendQuit();

    // Polls timers, sounds and the frame first, whatever the event, then
    // handles it as a stage does and tells the host the wake delay.
    double limnDoProcessStageEvent(const rt::Dynamic& event) override;
    void limnRender(bool sendEnterFrame) override;
};

}  // namespace limn::display
