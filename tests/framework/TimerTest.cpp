#include "framework/Timer.h"

#include <gtest/gtest.h>

#include "tests/framework/TimerProbe.h"
#include "tests/support/BackendTest.h"

namespace limn {
namespace {

class TimerTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        TimerProbe::running().clear();
    }
    void TearDown() override { TimerProbe::running().clear(); }

    std::shared_ptr<Timer> counting(double period, int& count) {
        auto timer = Timer::create(period);
        timer->run = rt::function([&count] { ++count; });
        return timer;
    }
};

TEST_F(TimerTest, ClockReadsTheBackendStampInSecondsAndMilliseconds) {
    backend.setTime(1.25);
    EXPECT_DOUBLE_EQ(Timer::stamp(), 1.25);
    EXPECT_DOUBLE_EQ(Timer::GetMS(), 1250.0);
}

TEST_F(TimerTest, ClockReadsZeroWhenTheBackendAnswersNothing) {
    backend.answer("limn_time_stamp", rt::Dynamic());
    EXPECT_EQ(Timer::stamp(), 0.0);
}

TEST_F(TimerTest, NewTimerIsRunningAndDueOnePeriodLater) {
    backend.setTime(5.0);
    auto timer = Timer::create(100);
    EXPECT_DOUBLE_EQ(timer->fireAt(), 5100.0);
    EXPECT_TRUE(timer->isRunning());
    ASSERT_EQ(TimerProbe::running().size(), 1u);
    EXPECT_EQ(TimerProbe::running()[0], timer);
}

TEST_F(TimerTest, CheckFiresOnlyOnceDueAndAdvancesByOnePeriod) {
    backend.setTime(5.0);
    int count = 0;
    auto timer = counting(100, count);
    timer->limnCheck(5099);
    EXPECT_EQ(count, 0) << "fired before its due time";
    timer->limnCheck(5100);
    EXPECT_EQ(count, 1);
    EXPECT_DOUBLE_EQ(timer->fireAt(), 5200.0);
}

TEST_F(TimerTest, LateTimerCatchesUpOneFiringPerPoll) {
    backend.setTime(5.0);
    int count = 0;
    auto timer = counting(100, count);
    backend.setTime(5.35);
    for (double expected : {5200.0, 5300.0, 5400.0}) {
        Timer::limnCheckTimers();
        EXPECT_DOUBLE_EQ(timer->fireAt(), expected);
    }
    EXPECT_EQ(count, 3);
    Timer::limnCheckTimers();
    EXPECT_EQ(count, 3) << "a timer ahead of the clock fired";
}

TEST_F(TimerTest, StopLeavesTheRunningListAndSecondStopDoesNothing) {
    auto a = Timer::create(10);
    auto b = Timer::create(10);
    a->stop();
    a->stop();
    EXPECT_FALSE(a->isRunning());
    ASSERT_EQ(TimerProbe::running().size(), 1u);
    EXPECT_EQ(TimerProbe::running()[0], b);
}

TEST_F(TimerTest, DelayZeroFiresAtNextPollThenIsGone) {
    int count = 0;
    Timer::delay(rt::function([&count] { ++count; }), 0);
    Timer::limnCheckTimers();
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(TimerProbe::running().empty());
    Timer::limnCheckTimers();
    EXPECT_EQ(count, 1);
}

TEST_F(TimerTest, DelayStopsBeforeCallingSoAThrowLeavesNoTimer) {
    Timer::delay(rt::function([] { throw rt::Error("boom"); }), 0);
    EXPECT_THROW(Timer::limnCheckTimers(), rt::Error);
    EXPECT_TRUE(TimerProbe::running().empty());
}

TEST_F(TimerTest, DelayKeepsRunningWhenTheCallerDropsIt) {
    int count = 0;
    std::weak_ptr<Timer> weak = Timer::delay(rt::function([&count] { ++count; }), 50);
    EXPECT_FALSE(weak.expired()) << "the running list should own the timer";
    backend.setTime(0.05);
    Timer::limnCheckTimers();
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(weak.expired()) << "a finished one-shot timer should be released";
}

TEST_F(TimerTest, TimerStoppingItselfDefersItsSuccessorToTheNextPoll) {
    int second = 0;
    auto first = Timer::create(0);
    first->run = rt::function([&first] { first->stop(); });
    counting(0, second);
    Timer::limnCheckTimers();
    EXPECT_EQ(second, 0) << "the successor slid into the index already visited";
    Timer::limnCheckTimers();
    EXPECT_EQ(second, 1);
}

TEST_F(TimerTest, TimerWithoutRunKeepsTime) {
    auto timer = Timer::create(10);
    timer->limnCheck(10);
    EXPECT_DOUBLE_EQ(timer->fireAt(), 20.0);
}

TEST_F(TimerTest, NextWakeIsTheEarliestDueTime) {
    Timer::create(250);
    Timer::create(40);
    EXPECT_DOUBLE_EQ(Timer::limnNextWake(315000000.0), 0.04);
}

TEST_F(TimerTest, NextWakeIsZeroWhileATimerIsOverdue) {
    Timer::create(250);
    Timer::create(40);
    backend.setTime(0.1);
    EXPECT_EQ(Timer::limnNextWake(315000000.0), 0.0);
}

TEST_F(TimerTest, NextWakeIsTheLimitWithoutTimers) {
    EXPECT_EQ(Timer::limnNextWake(315000000.0), 315000000.0);
    Timer::create(1000);
    EXPECT_EQ(Timer::limnNextWake(0.5), 0.5) << "a later timer must not raise the limit";
}

TEST_F(TimerTest, FieldsAreReachableByName) {
    auto timer = Timer::create(100);
    EXPECT_EQ(timer->get("mTime").asFloat(), 100.0);
    EXPECT_TRUE(timer->get("mRunning").asBool());
    timer->callMethod("stop");
    EXPECT_FALSE(timer->isRunning());
}

}  // namespace
}  // namespace limn
