// An X server error for a wake-up message that arrives after its window is
// gone must not end the program; other X errors still reach the handler that
// was there before. Needs an X display (CTest runs these under xvfb-run);
// skipped without one.
#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

#include "backend/stage/LateWakeups.h"
#include "backend/stage/MainFrame.h"
// Last: Xlib's macros would clash with the headers above.
#include <X11/Xlib.h>

namespace limn::sdl {
namespace {

// A loaded X server sometimes refuses a connection at once; try for a while.
Display* openDisplay() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
        usleep(50000);
    }
    return nullptr;
}

bool haveDisplay() {
    Display* display = openDisplay();
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

// A window made and destroyed on one connection, as SDL's window is.
Window goneWindow(Display* owner) {
    const Window window = XCreateSimpleWindow(owner, DefaultRootWindow(owner), 0, 0, 8, 8, 0, 0, 0);
    XSync(owner, False);
    XDestroyWindow(owner, window);
    XSync(owner, False);
    return window;
}

void sendWakeup(Display* sender, Window window) {
    XClientMessageEvent message{};
    message.type = ClientMessage;
    message.window = window;
    message.format = 32;
    XSendEvent(sender, window, False, NoEventMask, reinterpret_cast<XEvent*>(&message));
    XSync(sender, False);
}

int othersSeen = 0;
int countOthers(Display*, XErrorEvent*) {
    ++othersSeen;
    return 0;
}

class LateWakeups : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveDisplay()) GTEST_SKIP() << "needs an X display; run under xvfb-run";
        // Each case in a fresh process: the handler is installed once per process.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
};

TEST_F(LateWakeups, AWakeupForAClosedWindowDoesNotEndTheProgram) {
    EXPECT_EXIT(
        {
            unsetenv("SDL_VIDEODRIVER");
            { MainFrame frame(64, 64, 0, "late wake-up"); }
            Display* owner = openDisplay();
            Display* sender = openDisplay();
            if (!owner || !sender) std::exit(5);
            sendWakeup(sender, goneWindow(owner));
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

TEST_F(LateWakeups, OtherErrorsReachTheEarlierHandler) {
    EXPECT_EXIT(
        {
            XSetErrorHandler(&countOthers);
            ignoreLateWakeups();
            Display* display = openDisplay();
            if (!display) std::exit(5);
            const Window window = goneWindow(display);
            sendWakeup(display, window);
            XWindowAttributes attributes;
            XGetWindowAttributes(display, window, &attributes);
            XSync(display, False);
            std::exit(othersSeen == 1 ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace limn::sdl
