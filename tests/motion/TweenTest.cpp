#include <gtest/gtest.h>

#include <cmath>

#include "motion/TweenTimer.h"
#include "motion/easing/Quad.h"
#include "runtime/Error.h"
#include "tests/motion/KinetraProbe.h"
#include "tests/motion/TweenFixture.h"

namespace motion_test {
namespace {

using com::quillfern::motion::TweenTimer;
using com::quillfern::motion::easing::IEasing;
using com::quillfern::motion::easing::Quad;

TEST_F(TweenTest, FirstFrameAtTheStartTimeDoesNotUpdate) {
    auto plain = rt::props({{"v", 0}});
    clockAt(10000);
    Kinetra::tween(plain, 0.4, rt::props({{"v", 100}}))->ease(Quad::easeIn());
    frameAt(10000);
    EXPECT_EQ(num(plain, "v"), 0.0);
    frameAt(10016);
    EXPECT_NEAR(num(plain, "v"), 100 * 0.04 * 0.04, 1e-9);
    frameAt(10399);
    EXPECT_LT(num(plain, "v"), 100.0);
    frameAt(10400);
    EXPECT_EQ(num(plain, "v"), 100.0);
    EXPECT_TRUE(KinetraProbe::libraries().empty());
}

TEST_F(TweenTest, DefaultExpoEaseLandsExactlyOnTheEndValue) {
    auto s = sprite();
    Kinetra::tween(s, 1, rt::props({{"x", 37.5}}));
    frameAt(500);
    EXPECT_NEAR(num(s, "x"), 37.5 * (1 - std::pow(2.0, -5)), 1e-9);
    frameAt(1000);
    EXPECT_EQ(num(s, "x"), 37.5);
}

TEST_F(TweenTest, PlainPropertyListsLambdasAndCurvesByValue) {
    auto s = sprite();
    int completed = 0;
    Kinetra::tween(s, 1, {{"x", 200}, {"alpha", 0}})->ease(Quad::easeOut)->onComplete([&] {
        ++completed;
    });
    frameAt(500);
    EXPECT_DOUBLE_EQ(s->x(), 200 * (1 - 0.5 * 0.5));
    frameAt(1000);
    EXPECT_EQ(s->x(), 200);
    EXPECT_EQ(s->alpha(), 0);
    EXPECT_EQ(completed, 1);
}

// A typo in a property name tweens nothing; it is said once, however many frames run.
TEST_F(TweenTest, UnknownPropertyIsReportedOnce) {
    auto s = sprite();
    ::testing::internal::CaptureStderr();
    Kinetra::tween(s, 1, rt::props({{"xx", 10}}));
    frameAt(500);
    frameAt(1000);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("limn: tween of \"xx\""), std::string::npos) << said;
    EXPECT_EQ(said.find("tween of", said.find("tween of") + 1), std::string::npos) << said;
    EXPECT_EQ(said.find("limn:", said.find("limn:") + 1), std::string::npos)
        << "the write the tween makes is not reported again:\n"
        << said;
}

// Tweens move numbers: a text end value is taken as 0, and said once per class and name.
TEST_F(TweenTest, TweenTowardsTextIsReportedOnce) {
    auto plain = rt::props({{"v", 0}, {"w", 0}});
    auto other = rt::props({{"v", 0}});
    ::testing::internal::CaptureStderr();
    Kinetra::tween(plain, 1, rt::props({{"v", "big"}, {"w", "25"}}));
    Kinetra::tween(other, 1, rt::props({{"v", "bigger"}}));
    frameAt(1000);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("limn: tween of \"v\""), std::string::npos) << said;
    EXPECT_NE(said.find("a text value is taken as 0"), std::string::npos) << said;
    EXPECT_EQ(said.find("limn:", said.find("limn:") + 1), std::string::npos)
        << "once, and nothing about a number written as text:\n"
        << said;
    EXPECT_EQ(num(plain, "w"), 25.0);
}

TEST_F(TweenTest, DisplayObjectPropertiesAreWrittenThroughTheirSetters) {
    auto s = sprite();
    Kinetra::tween(s, 1, rt::props({{"alpha", 0.5}}));
    backend.clearCalls();
    frameAt(1000);
    ASSERT_NE(backend.last("limn_display_object_set_alpha"), nullptr);
    EXPECT_EQ(backend.last("limn_display_object_set_alpha")->args[1].asFloat(), 0.5);
}

TEST_F(TweenTest, FirstTweenOffTheStageFailsClearlyAndALaterOneStillRuns) {
    auto root = limn::Lib::current();
    stage->removeChild(root);
    auto s = sprite();
    EXPECT_THROW(Kinetra::tween(s, 1, rt::props({{"x", 10}})), rt::Error);
    EXPECT_FALSE(SimpleActuator::isListening());
    stage->addChild(root);
    Kinetra::tween(s, 1, rt::props({{"x", 10}}));
    frameAt(1000);
    EXPECT_EQ(num(s, "x"), 10.0);
}

TEST_F(TweenTest, NullTargetReturnsNullAndRegistersNothing) {
    EXPECT_EQ(Kinetra::tween(nullptr, 1, rt::props({{"alpha", 0}})), nullptr);
    EXPECT_TRUE(KinetraProbe::libraries().empty());
    EXPECT_TRUE(SimpleActuator::getActuators().empty());
}

TEST_F(TweenTest, ZeroOrNegativeDurationAppliesAtOnceAndCompletesOnRequest) {
    for (double duration : {0.0, -1.0}) {
        auto s = sprite();
        int calls = 0;
        auto actuator = Kinetra::tween(s, duration, rt::props({{"x", 5}}));
        EXPECT_EQ(num(s, "x"), 5.0);
        EXPECT_TRUE(Kinetra::getLibrary(s).empty());
        actuator->onComplete(rt::function([&] { ++calls; }));
        EXPECT_EQ(calls, 1);
    }
    EXPECT_TRUE(SimpleActuator::getActuators().empty());
}

TEST_F(TweenTest, OnCompleteOnZeroDurationPassesParametersAfterTheUpdateHandler) {
    std::vector<std::string> log;
    auto actuator = Kinetra::apply(rt::props(), rt::props({{"v", 1}}));
    actuator->onUpdate(rt::function([&] { log.push_back("update"); }));
    actuator->onComplete(
        rt::function([&](int a, int b) { log.push_back("complete " + std::to_string(a + b)); }),
        rt::array({1, 2}));
    EXPECT_EQ(log, (std::vector<std::string>{"update", "complete 3"}));
}

TEST_F(TweenTest, OverwriteStopsOnlyTweensSharingAName) {
    auto s = sprite();
    int firstHandlers = 0;
    auto first = Kinetra::tween(s, 1, rt::props({{"alpha", 0}}));
    first->onUpdate(rt::function([&] { ++firstHandlers; }));
    first->onComplete(rt::function([&] { ++firstHandlers; }));
    auto second = Kinetra::tween(s, 1, rt::props({{"alpha", 0}}));
    EXPECT_EQ(firstHandlers, 0);
    ASSERT_EQ(Kinetra::getLibrary(s).size(), 1u);
    EXPECT_EQ(Kinetra::getLibrary(s)[0], second);

    Kinetra::tween(s, 1, rt::props({{"x", 10}}));
    EXPECT_EQ(Kinetra::getLibrary(s).size(), 2u);
}

TEST_F(TweenTest, WithoutOverwriteTheLaterTweenWritesLast) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::tween(plain, 1, rt::props({{"v", 10}}), false);
    Kinetra::tween(plain, 1, rt::props({{"v", 20}}), false);
    frameAt(1000);
    EXPECT_EQ(num(plain, "v"), 20.0);
}

TEST_F(TweenTest, StopRunsUpdateThenCompleteOnceAndEmptiesTheList) {
    auto s = sprite();
    std::vector<std::string> log;
    Kinetra::tween(s, 1, rt::props({{"x", 10}}))
        ->onUpdate(rt::function([&] { log.push_back("u"); }))
        ->onComplete(rt::function([&] { log.push_back("c"); }));
    Kinetra::stop(s);
    EXPECT_EQ(log, (std::vector<std::string>{"u", "c"}));
    EXPECT_EQ(KinetraProbe::libraries().count(s->toString()), 0u);
}

TEST_F(TweenTest, StopByNameOrArrayOfNamesStopsOnlyMatchingTweens) {
    auto s = sprite();
    auto tx = Kinetra::tween(s, 1, rt::props({{"x", 10}}));
    auto ty = Kinetra::tween(s, 1, rt::props({{"y", 10}}));
    auto ta = Kinetra::tween(s, 1, rt::props({{"alpha", 0}}));
    Kinetra::stop(s, "x");
    EXPECT_EQ(Kinetra::getLibrary(s).size(), 2u);
    Kinetra::stop(s, rt::array({"y", "alpha"}));
    EXPECT_TRUE(KinetraProbe::libraries().empty());
}

TEST_F(TweenTest, StopWithCompleteJumpsToEndValues) {
    auto plain = rt::props({{"a", 0}, {"b", 0}});
    Kinetra::tween(plain, 1, rt::props({{"a", 3}, {"b", 4}}));
    Kinetra::stop(plain, nullptr, true);
    EXPECT_EQ(num(plain, "a"), 3.0);
    EXPECT_EQ(num(plain, "b"), 4.0);
}

TEST_F(TweenTest, PauseSpanIsAddedAndTheValueHolds) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::tween(plain, 1, rt::props({{"v", 100}}))->ease(Quad::easeIn());
    frameAt(500);
    double atPause = num(plain, "v");
    Kinetra::pause(plain);
    frameAt(1500);
    frameAt(2500);
    EXPECT_EQ(num(plain, "v"), atPause);
    clockAt(2500);
    Kinetra::resume(plain);
    frameAt(2501);
    EXPECT_NEAR(num(plain, "v"), 100 * 0.501 * 0.501, 1e-9);
    frameAt(2999);
    EXPECT_LT(num(plain, "v"), 100.0);
    frameAt(3000);
    EXPECT_EQ(num(plain, "v"), 100.0);
}

TEST_F(TweenTest, ResetStopsEverythingWithoutHandlers) {
    auto s = sprite();
    int handlers = 0;
    for (const char* name : {"x", "y", "alpha"}) {
        Kinetra::tween(s, 1, rt::props({{name, 1}}), false)->onComplete(rt::function([&] {
            ++handlers;
        }));
    }
    Kinetra::reset();
    EXPECT_EQ(handlers, 0);
    EXPECT_TRUE(KinetraProbe::libraries().empty());
    frameAt(2000);
    EXPECT_EQ(handlers, 0);
}

TEST_F(TweenTest, TimerCompletesOnTheFirstFrameAfterItsDurationWithArguments) {
    std::string got;
    clockAt(1000);
    Kinetra::timer(2)->onComplete(rt::function([&](const std::string& s) { got = s; }),
                                  rt::array({"Title"}));
    frameAt(2999);
    EXPECT_EQ(got, "");
    frameAt(3000);
    EXPECT_EQ(got, "Title");
}

TEST_F(TweenTest, TwoTimersShareAListButNotEachOther) {
    int done = 0;
    Kinetra::timer(1)->onComplete(rt::function([&] { ++done; }));
    Kinetra::timer(1)->onComplete(rt::function([&] { ++done; }));
    EXPECT_EQ(KinetraProbe::libraries().size(), 1u);
    frameAt(1000);
    EXPECT_EQ(done, 2);
}

TEST_F(TweenTest, DelayReadsStartValuesWhenTheDelayEnds) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::tween(plain, 1, rt::props({{"v", 100}}))->delay(1)->ease(Quad::easeIn());
    frameAt(1000);
    EXPECT_EQ(num(plain, "v"), 0.0);
    plain->set("v", 50);
    frameAt(1500);
    EXPECT_NEAR(num(plain, "v"), 50 + 50 * 0.25, 1e-9);
}

TEST_F(TweenTest, FadeInShowsAndFadeOutHidesBeforeOnComplete) {
    auto s = sprite();
    s->set("visible", false);
    Kinetra::tween(s, 1, rt::props({{"alpha", 1}}));
    EXPECT_TRUE(s->get("visible").asBool());

    auto t = sprite();
    t->set("visible", true);
    bool visibleInHandler = true;
    Kinetra::tween(t, 1, rt::props({{"alpha", 0}}))->onComplete(rt::function([&] {
        visibleInHandler = t->get("visible").asBool();
    }));
    frameAt(1000);
    EXPECT_FALSE(visibleInHandler);
    EXPECT_FALSE(t->get("visible").asBool());
}

TEST_F(TweenTest, AutoVisibleOffKeepsAFadedOutObjectVisible) {
    auto s = sprite();
    s->set("visible", true);
    Kinetra::tween(s, 1, rt::props({{"alpha", 0}}))->autoVisible(false);
    frameAt(1000);
    EXPECT_TRUE(s->get("visible").asBool());
}

TEST_F(TweenTest, RepeatJumpsBackAndReflectRunsBackwards) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::tween(plain, 1, rt::props({{"v", 10}}))->ease(Quad::easeIn())->repeat(1);
    frameAt(1000);
    EXPECT_EQ(num(plain, "v"), 10.0);
    frameAt(1500);
    EXPECT_NEAR(num(plain, "v"), 2.5, 1e-9);

    auto mirrored = rt::props({{"v", 0}});
    clockAt(5000);
    Kinetra::tween(mirrored, 1, rt::props({{"v", 10}}))->ease(Quad::easeIn())->repeat(1)->reflect();
    frameAt(6000);
    frameAt(6500);
    EXPECT_NEAR(num(mirrored, "v"), 2.5, 1e-9);  // calculate(1 - 0.5) on the way back
    frameAt(7000);
    EXPECT_EQ(num(mirrored, "v"), 0.0);
}

TEST_F(TweenTest, EndlessRepeatNeverCompletes) {
    int done = 0;
    Kinetra::tween(rt::props({{"v", 0}}), 1, rt::props({{"v", 1}}))
        ->repeat()
        ->onComplete(rt::function([&] { ++done; }));
    for (int ms = 100; ms < 10000; ms += 100) frameAt(ms);
    EXPECT_EQ(done, 0);
}

TEST_F(TweenTest, SmartRotationTakesTheShortWay) {
    auto plain = rt::props({{"rotation", 0}});
    Kinetra::tween(plain, 1, rt::props({{"rotation", 350}}))->smartRotation();
    frameAt(1000);
    EXPECT_EQ(num(plain, "rotation"), -10.0);

    auto other = rt::props({{"rotation", 10}});
    Kinetra::tween(other, 1, rt::props({{"rotation", 190}}))->smartRotation();
    frameAt(2000);
    EXPECT_EQ(num(other, "rotation"), 190.0);
}

TEST_F(TweenTest, SnappingRoundsHalvesUp) {
    auto plain = rt::props({{"a", 0}, {"b", 0}});
    Kinetra::tween(plain, 1, rt::props({{"a", 5}, {"b", -5}}))->ease(Quad::easeInOut())->snapping();
    // Halfway the in-out curve is exactly 0.5: 2.5 and -2.5.
    frameAt(500);
    EXPECT_EQ(plain->get("a").asInt(), 3);
    EXPECT_EQ(plain->get("b").asInt(), -2);
}

TEST_F(TweenTest, UpdateHandlerRunsOncePerUpdatingFrame) {
    int updates = 0;
    int completes = 0;
    Kinetra::tween(rt::props({{"v", 0}}), 0.1, rt::props({{"v", 1}}))
        ->onUpdate(rt::function([&] { ++updates; }))
        ->onComplete(rt::function([&] { ++completes; }));
    frameAt(0);
    frameAt(30);
    frameAt(60);
    frameAt(100);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(completes, 1);
}

TEST_F(TweenTest, TweenStartedInAHandlerWaitsForTheNextFrame) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::timer(0.5)->onComplete(rt::function([&] {
        Kinetra::tween(plain, 0.001, rt::props({{"v", 1}}));
    }));
    frameAt(500);
    EXPECT_EQ(num(plain, "v"), 0.0);
    frameAt(501);
    EXPECT_EQ(num(plain, "v"), 1.0);
}

TEST_F(TweenTest, HandlersStoppingOtherTweensNeitherSkipNorRepeat) {
    auto a = rt::props({{"v", 0}});
    auto b = rt::props({{"v", 0}});
    auto c = rt::props({{"v", 0}});
    int cUpdates = 0;
    Kinetra::tween(a, 0.1, rt::props({{"v", 1}}))->onComplete(rt::function([&] {
        Kinetra::stop(b);
    }));
    Kinetra::tween(b, 1, rt::props({{"v", 1}}));
    Kinetra::tween(c, 1, rt::props({{"v", 1}}))->onUpdate(rt::function([&] { ++cUpdates; }));
    frameAt(100);
    EXPECT_EQ(cUpdates, 1);
    EXPECT_EQ(num(a, "v"), 1.0);
    frameAt(200);
    EXPECT_EQ(cUpdates, 2);
    EXPECT_EQ(SimpleActuator::getActuatorsLength(), 1);
    EXPECT_EQ(SimpleActuator::getActuators().size(), 1u);
}

TEST_F(TweenTest, FinishedAndStoppedActuatorsAndTargetsAreReleased) {
    int before = GenericActuator::liveCount();
    std::weak_ptr<limn::display::Sprite> watch;
    {
        auto s = sprite();
        watch = s;
        Kinetra::tween(s, 0.5, rt::props({{"x", 1}}));
        Kinetra::tween(s, 1, rt::props({{"y", 1}}));
        Kinetra::timer(0.2);
        Kinetra::stop(s, "y");
    }
    frameAt(1000);
    frameAt(1001);  // inactive actuators leave the frame list on the next frame
    EXPECT_EQ(GenericActuator::liveCount(), before);
    EXPECT_TRUE(watch.expired());
}

// An object whose string form changes with its state.
class Counter : public rt::Object {
public:
    RT_DECLARE_CLASS
    double v = 0;
    [[nodiscard]] std::string toString() const override { return "Counter " + std::to_string(v); }
};

const rt::ClassInfo& Counter::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("test.Counter", &rt::Object::staticClass()).field<&Counter::v>("v");
    return info;
}

TEST_F(TweenTest, ActuatorLeavesItsListEvenWhenTheTargetsStringFormChanged) {
    auto counter = std::make_shared<Counter>();
    Kinetra::tween(counter, 1, rt::props({{"v", 5}}));
    frameAt(1000);
    EXPECT_EQ(counter->v, 5.0);
    EXPECT_TRUE(KinetraProbe::libraries().empty());
}

TEST_F(TweenTest, PlainObjectsKeepOneListWhileTheirFieldsChange) {
    auto plain = rt::props({{"v", 0}});
    Kinetra::tween(plain, 1, rt::props({{"v", 10}}));
    frameAt(500);
    Kinetra::tween(plain, 1, rt::props({{"v", 0}}));
    EXPECT_EQ(Kinetra::getLibrary(plain).size(), 1u);
}

TEST_F(TweenTest, FreshActuatorDefaults) {
    auto old = Kinetra::defaultEase;
    auto actuator = Kinetra::tween(rt::props({{"v", 0}}), 1, rt::props({{"v", 1}}));
    EXPECT_TRUE(actuator->get("_autoVisible").asBool());
    EXPECT_EQ(actuator->get("_delay").asFloat(), 0.0);
    EXPECT_EQ(actuator->get("_repeat").asInt(), 0);
    EXPECT_EQ(actuator->get("_ease").as<IEasing>(), old);
    EXPECT_FALSE(actuator->get("special").asBool());
    actuator->reflect(false);
    EXPECT_FALSE(actuator->get("_reflect").asBool());
    EXPECT_TRUE(actuator->get("special").asBool());
    actuator->repeat();
    EXPECT_EQ(actuator->get("_repeat").asInt(), -1);
    Kinetra::defaultEase = Quad::easeIn();
    EXPECT_EQ(actuator->get("_ease").as<IEasing>(), old);
    Kinetra::defaultEase = old;
}

TEST_F(TweenTest, TransformAndEffectsOnlyRecord) {
    auto s = sprite();
    auto t = Kinetra::transform(s);
    EXPECT_EQ(t->duration, 0.0);
    EXPECT_TRUE(t->overwrite);
    auto e = Kinetra::effects(s, 2);
    EXPECT_EQ(e->get("duration").asFloat(), 2.0);
    EXPECT_TRUE(KinetraProbe::libraries().empty());
}

}  // namespace
}  // namespace motion_test
