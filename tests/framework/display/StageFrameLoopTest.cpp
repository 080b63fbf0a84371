#include <gtest/gtest.h>

#include <cmath>

#include "framework/display/ManagedStage.h"
#include "framework/media/Sound.h"
#include "tests/framework/TimerProbe.h"
#include "tests/framework/display/StageProbe.h"
#include "tests/framework/display/StageTestSupport.h"

namespace limn::testing {
namespace {

using display::ManagedStage;

class StageFrameLoop : public StageTest {};

TEST_F(StageFrameLoop, ConstructionRegistersTheHandlerAndRuns100Fps) {
    const auto* call = backend.last("limn_set_stage_handler");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0], stage->limnHandle);
    EXPECT_TRUE(call->args[1].isFunction());
    EXPECT_EQ(call->args[2].asInt(), 320);
    EXPECT_EQ(call->args[3].asInt(), 480);
    EXPECT_EQ(stage->limnGetFrameRate(), 100.0);
    EXPECT_DOUBLE_EQ(display::StageProbe::framePeriod(*stage), 0.01);
    EXPECT_EQ(stage->limnGetStage(), stage);
}

TEST_F(StageFrameLoop, ScheduleIsNotWritableByName) {
    stage->set("frameRate", 50);
    for (const char* name :
         {"limnFramePeriod", "limnLastRender", "limnDragObject", "limnInvalid"}) {
        EXPECT_FALSE(stage->hasField(name)) << name;
        stage->set(name, 1.0);
    }
    EXPECT_DOUBLE_EQ(display::StageProbe::framePeriod(*stage), 1.0 / 50);
    EXPECT_EQ(display::StageProbe::lastRender(*stage), 0.0);
}

TEST_F(StageFrameLoop, HandlerGivenToTheBackendReachesTheStage) {
    auto handler = backend.last("limn_set_stage_handler")->args[1].asFunction();
    auto r = record(ManagedStage::etShouldRotate);
    r->value = 1;
    EXPECT_TRUE(handler(r).isNull());
    EXPECT_EQ(r->result, 2);
}

TEST_F(StageFrameLoop, FrameRateSetsThePeriodAndZeroSwitchesTheLoopOff) {
    stage->set("frameRate", 60);
    EXPECT_DOUBLE_EQ(display::StageProbe::framePeriod(*stage), 1.0 / 60);
    EXPECT_EQ(stage->get("frameRate").asFloat(), 60.0);
    stage->limnSetFrameRate(0);
    EXPECT_EQ(display::StageProbe::framePeriod(*stage), 0.0);
    backend.setTime(100);
    display::StageProbe::checkRender(*stage);
    EXPECT_EQ(backend.count("limn_render_stage"), 0);
    EXPECT_EQ(display::StageProbe::nextFrameDue(*stage, 7.5), 7.5);
}

TEST_F(StageFrameLoop, NextFrameDueWakesEarly) {
    stage->limnSetFrameRate(60);
    display::StageProbe::lastRender(*stage) = 10.0;
    backend.setTime(10.010);
    EXPECT_NEAR(display::StageProbe::nextFrameDue(*stage, 315000000.0),
                10.0 + 1.0 / 60 - 10.010 - 0.005, 1e-9);
}

TEST_F(StageFrameLoop, PollRendersOnlyOnceTheFrameIsDue) {
    stage->limnSetFrameRate(60);
    display::StageProbe::lastRender(*stage) = 10.0;
    backend.setTime(10.0166);
    send(ManagedStage::etPoll);
    EXPECT_EQ(backend.count("limn_render_stage"), 0);
    backend.setTime(10.0167);
    send(ManagedStage::etPoll);
    EXPECT_EQ(backend.count("limn_render_stage"), 1);
    EXPECT_DOUBLE_EQ(display::StageProbe::lastRender(*stage), 10.0167)
        << "the actual time, not the due time";
}

TEST_F(StageFrameLoop, RenderBroadcastsEnterFrameToTheWholeTreeBeforeRendering) {
    auto outer = sprite(*stage);
    auto inner = sprite(*outer);
    StageLog log;
    log.listen(*inner, "inner", {"enterFrame"});
    log.listen(*stage, "stage", {"enterFrame"});
    backend.answerWith("limn_render_stage", [&log](rt::Args) {
        log.lines.push_back("render");
        return rt::Dynamic();
    });
    backend.setTime(1.0);
    send(ManagedStage::etPoll);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"inner:enterFrame", "stage:enterFrame", "render"}));
}

TEST_F(StageFrameLoop, RedrawRendersWithEnterFrameButKeepsTheSchedule) {
    StageLog log;
    log.listen(*stage, "stage", {"enterFrame"});
    display::StageProbe::lastRender(*stage) = 4.0;
    send(ManagedStage::etRedraw);
    EXPECT_EQ(log.lines, std::vector<std::string>{"stage:enterFrame"});
    EXPECT_EQ(backend.count("limn_render_stage"), 1);
    EXPECT_EQ(display::StageProbe::lastRender(*stage), 4.0);
}

TEST_F(StageFrameLoop, ResizeBroadcastsResizeAndRendersWithoutEnterFrame) {
    auto child = sprite(*stage);
    StageLog log;
    log.listen(*child, "child", {"enterFrame", "resize"});
    send(ManagedStage::etResize, 0, 800, 600);
    EXPECT_EQ(log.lines, std::vector<std::string>{"child:resize"});
    EXPECT_EQ(backend.count("limn_render_stage"), 1);
}

TEST_F(StageFrameLoop, InvalidateBroadcastsRenderOnlyOnTheNextRender) {
    StageLog log;
    log.listen(*stage, "stage", {"render"});
    stage->invalidate();
    stage->limnRender(false);
    stage->limnRender(false);
    EXPECT_EQ(log.lines, std::vector<std::string>{"stage:render"});
}

TEST_F(StageFrameLoop, EveryEventSendsTheWakeItReturns) {
    for (int type : {0, 1, 4, 8, 9, 12, 14, 19, 42}) {
        const double wake = send(type);
        EXPECT_EQ(lastWake(), wake) << "event type " << type;
    }
}

TEST_F(StageFrameLoop, EventWithoutTypeOnlyUpdatesTheWake) {
    backend.clearCalls();
    stage->limnDoProcessStageEvent(rt::props({{"x", 3}}));
    for (const auto& name : backend.callNames()) {
        EXPECT_TRUE(name == "limn_time_stamp" || name == "limn_stage_set_next_wake") << name;
    }
    EXPECT_EQ(backend.count("limn_stage_set_next_wake"), 1);
    EXPECT_EQ(backend.count("limn_render_stage"), 0);
}

TEST_F(StageFrameLoop, WakeNeverExceedsOneFramePeriodWithoutTimersOrSounds) {
    stage->limnSetFrameRate(31);
    for (int step = 0; step < 400; ++step) {
        backend.setTime(step * 0.0037);
        const double wake = send(step % 2 ? ManagedStage::etPoll : ManagedStage::etMouseMove);
        EXPECT_LE(wake, display::StageProbe::framePeriod(*stage)) << "at step " << step;
    }
}

TEST_F(StageFrameLoop, WakeIsPositiveWhileTheFrameIsNotYetDue) {
    stage->limnSetFrameRate(60);
    display::StageProbe::lastRender(*stage) = 10.0;
    backend.setTime(10.014);  // 2.7 ms before the frame: inside the early margin
    const double wake = send(ManagedStage::etPoll);
    EXPECT_GT(wake, 0.0) << "a frame not yet due must not make the backend spin";
    EXPECT_NEAR(wake, 10.0 + 1.0 / 60 - 10.014, 1e-9);
}

TEST_F(StageFrameLoop, WakeIsZeroOrLessOnlyWhileSomethingIsOverdue) {
    stage->limnSetFrameRate(0);
    Timer::create(0);
    EXPECT_EQ(send(0), 0.0) << "an overdue timer asks for an immediate poll";
    TimerProbe::running().clear();
    stage->limnSetFrameRate(60);
    display::StageProbe::lastRender(*stage) = 0;
    backend.setTime(5);
    EXPECT_LE(display::StageProbe::nextFrameDue(*stage, 1.0), 0.0)
        << "an overdue frame asks for an immediate poll";
}

TEST_F(StageFrameLoop, ClockGoingBackRendersAndKeepsTheWakeWithinAPeriod) {
    display::StageProbe::lastRender(*stage) = 500.0;
    backend.setTime(2.0);
    EXPECT_LE(display::StageProbe::nextFrameDue(*stage, 315000000.0),
              display::StageProbe::framePeriod(*stage));
    send(ManagedStage::etPoll);
    EXPECT_EQ(backend.count("limn_render_stage"), 1);
    EXPECT_EQ(display::StageProbe::lastRender(*stage), 2.0);
}

TEST_F(StageFrameLoop, WakeFollowsTheEarliestTimer) {
    stage->limnSetFrameRate(0);
    Timer::create(250);
    Timer::create(40);
    EXPECT_DOUBLE_EQ(send(0), 0.04);
}

TEST_F(StageFrameLoop, PendingSoundCompletionCapsTheWake) {
    stage->limnSetFrameRate(0);
    backend.answer("limn_sound_get_status", rt::props({{"bytesLoaded", 1}, {"bytesTotal", 1}}));
    backend.answerWith("limn_sound_from_file",
                       [this](rt::Args) -> rt::Dynamic { return backend.makeHandle("file"); });
    auto sound = std::make_shared<media::Sound>(std::make_shared<net::URLRequest>("s.wav"));
    int completions = 0;
    sound->play()->addEventListener("soundComplete", rt::function([&] { ++completions; }));
    EXPECT_DOUBLE_EQ(send(0), 0.02);
    backend.answer("limn_sound_channel_is_complete", true);
    EXPECT_EQ(send(ManagedStage::etPoll), 315000000.0);
    EXPECT_EQ(completions, 1);
}

TEST_F(StageFrameLoop, PollFiresDueTimers) {
    int fired = 0;
    Timer::delay(rt::function([&] { ++fired; }), 10);
    backend.setTime(0.005);
    send(ManagedStage::etPoll);
    EXPECT_EQ(fired, 0);
    backend.setTime(0.010);
    send(ManagedStage::etPoll);
    EXPECT_EQ(fired, 1);
}

TEST_F(StageFrameLoop, RotationQueryAllowsOnlyPortraitByDefault) {
    auto portrait = record(ManagedStage::etShouldRotate);
    portrait->value = Stage::OrientationPortrait;
    send(portrait);
    EXPECT_EQ(portrait->result, 2);
    auto landscape = record(ManagedStage::etShouldRotate);
    landscape->value = Stage::OrientationLandscapeLeft;
    landscape->result = 7;
    send(landscape);
    EXPECT_EQ(landscape->result, 7) << "a refused rotation must leave result alone";
}

TEST_F(StageFrameLoop, RotationRuleCanBeReplaced) {
    const rt::Function saved = Stage::shouldRotateInterface;
    Stage::shouldRotateInterface = rt::function([](int o) { return o == 3; });
    auto r = record(ManagedStage::etShouldRotate);
    r->value = 3;
    send(r);
    Stage::shouldRotateInterface = saved;
    EXPECT_EQ(r->result, 2);
}

TEST_F(StageFrameLoop, CharEventReachesTheKeyHookInOrder) {
    send(ManagedStage::etChar);  // no hook: nothing happens
    std::vector<rt::Dynamic> got;
    stage->onKey =
        rt::function([&](rt::Dynamic code, rt::Dynamic down, rt::Dynamic ch, rt::Dynamic flags) {
            got = {code, down, ch, flags};
        });
    auto r = record(ManagedStage::etChar);
    r->code = 65;
    r->down = true;
    r->charCode = 97;
    r->flags = 2;
    send(r);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].asInt(), 65);
    EXPECT_TRUE(got[1].asBool());
    EXPECT_EQ(got[2].asInt(), 97);
    EXPECT_EQ(got[3].asInt(), 2);
}

TEST_F(StageFrameLoop, QuitEventRunsTheQuitHook) {
    send(ManagedStage::etQuit);  // no hook: nothing happens
    int quits = 0;
    stage->onQuit = rt::function([&] { ++quits; });
    send(ManagedStage::etQuit);
    EXPECT_EQ(quits, 1);
}

TEST_F(StageFrameLoop, ChangeEventFiresChangeOnTheObjectWithoutBubbling) {
    auto outer = sprite(*stage);
    auto inner = sprite(*outer);
    StageLog log;
    log.listen(*inner, "inner", {"change"});
    log.listen(*outer, "outer", {"change"});
    send(ManagedStage::etChange, inner->limnID);
    EXPECT_EQ(log.lines, std::vector<std::string>{"inner:change"});
    send(ManagedStage::etChange, 9999);
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(StageFrameLoop, ChangeEventTargetsTheChangedObjectEvenWhenAnAncestorListens) {
    auto field = sprite(*stage);
    rt::Dynamic seenByStage;
    stage->addEventListener("change",
                            rt::function([&](const std::shared_ptr<limn::events::Event>& e) {
                                seenByStage = e->target;
                            }),
                            true);
    send(ManagedStage::etChange, field->limnID);
    EXPECT_EQ(seenByStage.as<limn::display::DisplayObject>(), field);
}

TEST_F(StageFrameLoop, FocusIsTheObjectWhoseIdTheBackendReports) {
    auto child = sprite(*stage);
    backend.answer("limn_stage_get_focus_id", child->limnID);
    EXPECT_EQ(stage->limnGetFocus(), child);
    backend.answer("limn_stage_get_focus_id", 9999);
    EXPECT_EQ(stage->limnGetFocus(), nullptr);
    stage->limnSetFocus(child);
    const auto* call = backend.last("limn_stage_set_focus");
    EXPECT_EQ(call->args[1], child->limnHandle);
    EXPECT_EQ(call->args[2].asInt(), 0);
}

TEST_F(StageFrameLoop, EnumerationsCrossAsIndices) {
    stage->limnSetAlign(display::StageAlign::TOP_LEFT);
    EXPECT_EQ(backend.last("limn_stage_set_align")->args[1].asInt(), 1);
    EXPECT_EQ(stage->limnGetAlign(), display::StageAlign::TOP_LEFT);
    stage->set("scaleMode", 1);
    EXPECT_EQ(stage->limnGetScaleMode(), display::StageScaleMode::NO_SCALE);
    backend.answer("limn_stage_get_quality", 3);
    EXPECT_EQ(stage->limnGetQuality(), display::StageQuality::BEST);
    backend.answer("limn_stage_get_display_state", 17);
    EXPECT_EQ(stage->limnGetDisplayState(), display::StageDisplayState::NORMAL)
        << "an unknown index reads as the first value";
}

TEST_F(StageFrameLoop, PlainPropertiesReadTheBackend) {
    backend.answer("limn_stage_get_stage_width", 320.0);
    backend.answer("limn_stage_get_focus_rect", 2);
    backend.answer("limn_stage_is_opengl", true);
    EXPECT_EQ(stage->get("stageWidth").asFloat(), 320.0);
    EXPECT_TRUE(stage->limnGetStageFocusRect());
    EXPECT_TRUE(stage->limnIsOpenGL());
    EXPECT_EQ(stage->limnGetDPIScale(), 0.0);
}

}  // namespace
}  // namespace limn::testing
