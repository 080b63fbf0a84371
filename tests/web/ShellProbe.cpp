// The page the shell test drives: it prints every event the page shell hands it
// ("probe: event TYPE value=V code=C x=X y=Y flags=F") and draws a square where the
// pointer last was, redrawing only after a change.
#include <cstdio>

#include "backend/web/PageShell.h"

namespace {

struct Probe {
    double x = 40;
    double y = 40;
    bool dirty = true;
    int frames = 0;
};

Probe probe;

void onEvent(const limn::native::EventRecord& e) {
    std::printf("probe: event %d value=%d code=%d x=%g y=%g flags=%d char=%d\n", e.type, e.value,
                e.code, e.x, e.y, e.flags, e.charCode);
    if (e.type == limn::native::codes::etMouseDown || e.type == limn::native::codes::etTouchBegin) {
        probe.x = e.x;
        probe.y = e.y;
    }
    probe.dirty = true;
}

void onFrame(double) {
    if (++probe.frames == 1) std::printf("probe: first frame\n");
    if (!probe.dirty) return;
    probe.dirty = false;
    auto& shell = limn::web::PageShell::instance();
    limn::web::PageShell::clear(0x203040);
    limn::web::PageShell::fillRect(probe.x - 10, probe.y - 10, 20, 20, 0xF0C020);
    std::printf("probe: drew %gx%g at scale %g\n", shell.width(), shell.height(),
                shell.pixelRatio());
}

}  // namespace

int main() {
    limn::web::PageShell::instance().start(onEvent, onFrame);
    return 0;
}
