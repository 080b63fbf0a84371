#include "backend/base/Clock.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

class ClockControl : public BackendTest {
protected:
    void TearDown() override { Clock::useReal(); }
};

TEST_F(ClockControl, TimeStampFollowsASetClock) {
    Clock::set(12.5);
    EXPECT_DOUBLE_EQ(call("limn_time_stamp").asFloat(), 12.5);
    Clock::advance(0.25);
    EXPECT_DOUBLE_EQ(call("limn_time_stamp").asFloat(), 12.75);
}

TEST_F(ClockControl, RealClockResumesFromTheSetTime) {
    Clock::set(1000.0);
    Clock::useReal();
    const double now = call("limn_time_stamp").asFloat();
    EXPECT_GE(now, 1000.0);
    EXPECT_LT(now, 1001.0);
    EXPECT_FALSE(Clock::isManual());
}

TEST_F(ClockControl, RealClockNeverGoesBack) {
    const double a = call("limn_time_stamp").asFloat();
    const double b = call("limn_time_stamp").asFloat();
    EXPECT_LE(a, b);
}

}  // namespace
}  // namespace limn::sdl::testing
