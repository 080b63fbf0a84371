#include "backend/stage/LateWakeups.h"

#ifdef LIMN_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace limn::sdl {

#ifdef LIMN_HAVE_X11
namespace {

XErrorHandler previous = nullptr;

int dropLateWakeups(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previous ? previous(display, error) : 0;
}

}  // namespace

void ignoreLateWakeups() {
    static const bool installed = [] {
        previous = XSetErrorHandler(&dropLateWakeups);
        return true;
    }();
    (void)installed;
}
#else
void ignoreLateWakeups() {}
#endif

}  // namespace limn::sdl
