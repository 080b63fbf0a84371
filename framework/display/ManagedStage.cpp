#include "framework/display/ManagedStage.h"

#include "native/Call.h"
#include "native/EventRecord.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_managed_stage_create> managedStageCreate;
const native::Call<native::wire::limn_managed_stage_pump_event> managedStagePumpEvent;

rt::Dynamic record(int type, double x = 0, double y = 0) {
    auto event = std::make_shared<native::EventRecord>();
    event->type = type;
    event->x = x;
    event->y = y;
    return event;
}

}  // namespace

const rt::ClassInfo& ManagedStage::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.ManagedStage", &Stage::staticClass())
            .field<&ManagedStage::setNextWake>("setNextWake")
            .field<&ManagedStage::beginRender>("beginRender")
            .field<&ManagedStage::endRender>("endRender")
            .method<&ManagedStage::resize>("resize")
            .method<&ManagedStage::pumpEvent>("pumpEvent")
            .method<&ManagedStage::sendQuit>("sendQuit");
    return info;
}

ManagedStage::ManagedStage(int width, int height)
    : Stage(managedStageCreate({.width = width, .height = height}), width, height),
      setNextWake(rt::function([](double) {})),
      beginRender(rt::function([] {})),
      endRender(rt::function([] {})) {}

void ManagedStage::resize(int width, int height) {
    pumpEvent(record(etResize, width, height));
}

void ManagedStage::pumpEvent(const rt::Dynamic& event) {
    managedStagePumpEvent({.stage = limnHandle, .event = event});
}

void ManagedStage::sendQuit() {
    pumpEvent(record(etQuit));
}

double ManagedStage::limnDoProcessStageEvent(const rt::Dynamic& event) {
    limnPollTimers();
    const double wake = Stage::limnDoProcessStageEvent(event);
    if (setNextWake) setNextWake(wake);
    return wake;
}

void ManagedStage::limnRender(bool sendEnterFrame) {
    if (beginRender) beginRender();
    Stage::limnRender(sendEnterFrame);
    if (endRender) endRender();
}

}  // namespace limn::display
