// One frame update of many running tweens of one float property, on plain
// objects and on display objects, timed per tween. Display objects run on a
// backend that answers every primitive at once, so the figure is the engine's
// and the framework's own cost.
//
// Prints one line per case: "kinetra <target> <count> <ns per tween>".
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/Lib.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "motion/Kinetra.h"
#include "motion/actuators/SimpleActuator.h"
#include "native/Module.h"
#include "native/Primitive.h"

namespace {

using com::quillfern::motion::Kinetra;
using com::quillfern::motion::actuators::SimpleActuator;

struct BenchHandle : rt::NativeObject {};

// Answers "limn_time_stamp" from a settable clock, creators with a fresh
// handle, and everything else with null.
class QuietBackend : public limn::native::Module {
public:
    double now = 0;
    std::optional<limn::native::PrimitiveFn> find(const std::string& exportName) const override {
        if (exportName.rfind("limn_time_stamp", 0) == 0) {
            return limn::native::PrimitiveFn([this](rt::Args) { return rt::Dynamic(now); });
        }
        if (exportName.find("create") != std::string::npos) {
            return limn::native::PrimitiveFn(
                [](rt::Args) { return rt::Dynamic(std::make_shared<BenchHandle>()); });
        }
        return limn::native::PrimitiveFn([](rt::Args) { return rt::Dynamic(); });
    }
};

double nsPerTween(QuietBackend& backend, int count, bool display, int frames) {
    Kinetra::reset();
    SimpleActuator::limnResetFrameDriver();
    backend.now = 0;
    std::vector<rt::ObjectPtr> targets;
    targets.reserve(count);
    for (int i = 0; i < count; ++i) {
        rt::ObjectPtr target;
        if (display) {
            target = std::make_shared<limn::display::Sprite>();
        } else {
            target = rt::props({{"x", 0.0}});
        }
        targets.push_back(target);
        Kinetra::tween(target, 1000.0, rt::props({{"x", 100.0}}), false);
    }
    auto stage = limn::Lib::limnStage;
    auto enterFrame = std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME);
    // First frame builds the property records; time the steady state after it.
    backend.now = 0.016;
    SimpleActuator::shape_onEnterFrame(enterFrame);
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        backend.now = 0.032 + f * 0.016;
        SimpleActuator::shape_onEnterFrame(enterFrame);
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    double ns = std::chrono::duration<double, std::nano>(elapsed).count();
    Kinetra::reset();
    return ns / frames / count;
}

}  // namespace

int main() {
    auto backend = std::make_shared<QuietBackend>();
    limn::native::registerModule("limn", backend);
    limn::native::Primitive::resolveAll();
    limn::Lib::createManagedStage(320, 480);
    for (bool display : {false, true}) {
        for (int count : {10000, 64000}) {
            double ns = nsPerTween(*backend, count, display, count > 10000 ? 20 : 60);
            std::printf("kinetra %s %d %.1f\n", display ? "display" : "plain", count, ns);
        }
    }
    return 0;
}
