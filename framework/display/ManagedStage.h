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

    // The event record's codes are members, from Stage (ManagedStage::etPoll).

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
