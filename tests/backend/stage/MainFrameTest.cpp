#include <SDL.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "backend/base/Clock.h"
#include "backend/stage/MainFrame.h"
#include "runtime/Function.h"
#include "runtime/Log.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Opens the main frame and runs its loop; `onEvent` gets the stage handle and
// each record's type, and may ask for wakes or close.
class MainLoop : public BackendTest {
protected:
    void runFrame(int width, int height,
                  std::function<void(const rt::Dynamic& stage, int type)> onEvent,
                  std::function<void(const rt::Dynamic& stage)> started) {
        auto created = rt::function([&](rt::Dynamic frame) {
            stage_ = call("limn_get_frame_stage", frame);
            auto handler = rt::function(
                [&](rt::Dynamic record) { onEvent(stage_, field(record, "type").asInt()); });
            call("limn_set_stage_handler", stage_, handler, width, height);
            started(stage_);
        });
        callMany("limn_create_main_frame", created, width, height, 0, "test", "");
    }

    rt::Dynamic stage_;
};

TEST(MainFrameVideo, UnusableDriverFallsBackOffscreenAndSaysSo) {
    const char* before = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = before ? before : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    {
        MainFrame frame(32, 32, 0, "fallback");
        ASSERT_NE(frame.videoDriver(), nullptr) << "an offscreen driver, not none";
        EXPECT_STREQ(frame.videoDriver(), "offscreen");
        EXPECT_TRUE(frame.headless());
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("limn: no display ("), std::string::npos) << said;
    if (before) {
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_VIDEODRIVER");
    }
}

TEST_F(MainLoop, RunsOffscreenAndReturnsOnClose) {
    int polls = 0;
    runFrame(
        320, 480,
        [&](const rt::Dynamic&, int type) {
            if (type == 9 && ++polls == 2) call("limn_close");
            if (type == 9 && polls < 2) call("limn_stage_set_next_wake", stage_, 0.0);
        },
        [&](const rt::Dynamic& stage) {
            EXPECT_EQ(call("limn_stage_get_stage_width", stage).asInt(), 320);
            EXPECT_EQ(call("limn_stage_get_stage_height", stage).asInt(), 480);
            call("limn_stage_set_next_wake", stage, 0.0);
        });
    EXPECT_EQ(polls, 2);
}

// Asked for, offscreen is silent; fallen back to for want of a display, it is said.
TEST_F(MainLoop, FallingBackToOffscreenIsSaid) {
    rt::log::setLevel(rt::log::Level::Warn);
    auto runOnce = [&] {
        ::testing::internal::CaptureStderr();
        runFrame(
            64, 64,
            [&](const rt::Dynamic&, int type) {
                if (type == 9) call("limn_close");
            },
            [&](const rt::Dynamic& stage) { call("limn_stage_set_next_wake", stage, 0.0); });
        return ::testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(runOnce().find("limn:"), std::string::npos);
    unsetenv("SDL_VIDEODRIVER");
    setenv("DISPLAY", ":97", 1);
    const std::string said = runOnce();
    EXPECT_NE(said.find("limn: no display ("), std::string::npos) << said;
    EXPECT_NE(said.find("DISPLAY is \":97\""), std::string::npos) << said;
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
}

TEST_F(MainLoop, WakeRequestLeadsToOnePollAfterTheDelayWhileAsleep) {
    double requestedAt = 0, polledAt = 0, cpuBefore = 0, cpuAfter = 0;
    int polls = 0;
    runFrame(
        64, 64,
        [&](const rt::Dynamic&, int type) {
            if (type != 9) return;
            if (++polls == 1) {
                polledAt = Clock::realNow();
                cpuAfter = threadCpuSeconds();
                // Ask for a long wait and end on it, so that a second poll would show.
                call("limn_stage_set_next_wake", stage_, 0.05);
                return;
            }
            call("limn_close");
        },
        [&](const rt::Dynamic& stage) {
            cpuBefore = threadCpuSeconds();
            requestedAt = Clock::realNow();
            call("limn_stage_set_next_wake", stage, 0.03);
        });
    EXPECT_EQ(polls, 2);
    const double waited = polledAt - requestedAt;
    EXPECT_GE(waited, 0.030) << "polled early";
    // Loose: a loaded machine may wake the thread late, never early.
    EXPECT_LT(waited, 0.25) << "polled far too late";
    EXPECT_LT(cpuAfter - cpuBefore, 0.010) << "the thread was busy while waiting";
}

TEST_F(MainLoop, RepeatedImmediateRequestsAreSpacedBySmallSleeps) {
    std::vector<double> times;
    double cpuBefore = 0, cpuAfter = 0;
    runFrame(
        64, 64,
        [&](const rt::Dynamic&, int type) {
            if (type != 9) return;
            times.push_back(Clock::realNow());
            if (times.size() == 20) {
                cpuAfter = threadCpuSeconds();
                call("limn_close");
                return;
            }
            call("limn_stage_set_next_wake", stage_, -0.002);
        },
        [&](const rt::Dynamic& stage) {
            cpuBefore = threadCpuSeconds();
            call("limn_stage_set_next_wake", stage, 0.0);
        });
    ASSERT_EQ(times.size(), 20u);
    // The times are taken inside the handler, a little after each poll began,
    // so one gap may lose what the thread took to reach the handler before it;
    // over the run those delays cancel and the spacing shows whole.
    for (std::size_t i = 1; i < times.size(); ++i) {
        const double gap = times[i] - times[i - 1];
        EXPECT_GE(gap, 0.0005) << "poll " << i << " came too soon";
    }
    const double meanGap = (times.back() - times.front()) / double(times.size() - 1);
    EXPECT_GE(meanGap, 0.00095) << "immediate polls were not spaced by their sleeps";
    EXPECT_LT(times.back() - times.front(), 0.5) << "immediate polls waited far too long";
    EXPECT_LT(cpuAfter - cpuBefore, 0.5 * (times.back() - times.front())) << "spinning";
}

TEST_F(MainLoop, ApplicationThatAskedNoWakeIsPolledAtOnce) {
    int polls = 0;
    runFrame(
        64, 64,
        [&](const rt::Dynamic&, int type) {
            if (type == 9 && ++polls == 1) call("limn_close");
        },
        [&](const rt::Dynamic&) {});
    EXPECT_EQ(polls, 1);
}

TEST_F(MainLoop, CloseDuringStartUpEndsTheLoopAtOnce) {
    int events = 0;
    runFrame(
        64, 64, [&](const rt::Dynamic&, int) { ++events; },
        [&](const rt::Dynamic&) { call("limn_close"); });
    EXPECT_EQ(events, 0);
}

TEST_F(MainLoop, QuitEventReachesTheHandlerAndEndsTheLoop) {
    bool quit = false;
    runFrame(
        64, 64, [&](const rt::Dynamic&, int type) { quit = quit || type == 10; },
        [&](const rt::Dynamic&) {
            SDL_Event e{};
            e.type = SDL_QUIT;
            SDL_PushEvent(&e);
        });
    EXPECT_TRUE(quit);
}

TEST_F(MainLoop, RendersIntoTheFrameOfTheRequestedSize) {
    runFrame(
        32, 16,
        [&](const rt::Dynamic& stage, int type) {
            if (type != 9) return;
            call("limn_display_object_set_bg", stage, 0x102030);
            call("limn_render_stage", stage);
            call("limn_close");
        },
        [&](const rt::Dynamic& stage) { call("limn_stage_set_next_wake", stage, 0.0); });
    auto frame = StageNode::from(stage_)->lastFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width(), 32);
    EXPECT_EQ(frame->height(), 16);
    EXPECT_TRUE(near(pixel(stage_, 3, 3), 0xFF102030));
}

}  // namespace
}  // namespace limn::sdl::testing
