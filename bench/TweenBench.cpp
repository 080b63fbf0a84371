// The tween engine at scale, on a backend that answers every primitive at once,
// so the figures are the engine's and the framework's own cost. All times are
// process CPU time; each figure is the best of several interleaved rounds.
//
// Prints one line per figure:
//   "kinetra <target> <count> <ns per tween>"  one frame update of running tweens
//   "floor plain <count> <ns per tween>"       the same update on packed plain structs
//   "ratio <label> <value> (goal <goal>)"      ratios between figures of this run
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "QuietBackend.h"
#include "framework/Lib.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "motion/Kinetra.h"
#include "motion/actuators/SimpleActuator.h"
#include "native/Primitive.h"

namespace {

using com::quillfern::motion::Kinetra;
using com::quillfern::motion::actuators::SimpleActuator;

using limn::bench::QuietBackend;

QuietBackend* backend = nullptr;

double cpuNs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

double timed(const std::function<void()>& work) {
    double start = cpuNs();
    work();
    return cpuNs() - start;
}

void freshEngine() {
    Kinetra::reset();
    SimpleActuator::limnResetFrameDriver();
    backend->now = 0;
}

void frameAt(double seconds) {
    backend->now = seconds;
    limn::Lib::stage()->limnRender(true);
}

std::vector<rt::ObjectPtr> makeTargets(int count, bool display) {
    std::vector<rt::ObjectPtr> targets;
    targets.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (display) {
            targets.push_back(std::make_shared<limn::display::Sprite>());
        } else {
            targets.push_back(rt::props({{"x", 0.0}}));
        }
    }
    return targets;
}

// One frame update of count running tweens of x, per tween.
double kinetraUpdate(int count, bool display, int frames) {
    freshEngine();
    auto targets = makeTargets(count, display);
    for (const auto& target : targets)
        Kinetra::tween(target, 1000.0, rt::props({{"x", 100.0}}), false);
    auto enterFrame = std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME);
    // The first frame builds the property records; time the steady state after it.
    backend->now = 0.016;
    SimpleActuator::shape_onEnterFrame(enterFrame);
    double ns = timed([&] {
        for (int f = 0; f < frames; ++f) {
            backend->now = 0.032 + f * 0.016;
            SimpleActuator::shape_onEnterFrame(enterFrame);
        }
    });
    freshEngine();
    return ns / frames / count;
}

// The least work of the same update: packed records, the same ease, one store
// into a target allocated on its own, as the engine's targets are.
struct PlainTarget {
    double x = 0;
};
struct PackedTween {
    double timeOffset, duration, start, change;
    const com::quillfern::motion::easing::IEasing* ease;
    double* out;
};

double floorUpdate(int count, int frames) {
    std::vector<std::unique_ptr<PlainTarget>> targets;
    std::vector<PackedTween> tweens;
    for (int i = 0; i < count; ++i) {
        targets.push_back(std::make_unique<PlainTarget>());
        tweens.push_back({0, 1000.0, 0, 100.0, Kinetra::defaultEase.get(), &targets.back()->x});
    }
    double ns = timed([&] {
        for (int f = 0; f < frames; ++f) {
            double now = 0.032 + f * 0.016;
            for (const PackedTween& t : tweens) {
                if (!(now > t.timeOffset)) continue;
                double position = std::min((now - t.timeOffset) / t.duration, 1.0);
                *t.out = t.start + t.change * t.ease->calculate(position);
            }
        }
    });
    return ns / frames / count;
}

// The frame after count tweens finished together, over an ordinary frame of
// the same stage without tweens (display targets are on the stage).
double finishFrameRatio(int count, bool display) {
    freshEngine();
    auto targets = makeTargets(count, display);
    auto stage = limn::Lib::stage();
    if (display) {
        for (const auto& t : targets)
            stage->addChild(std::static_pointer_cast<limn::display::Sprite>(t));
    }
    frameAt(1.0);
    double ordinary = timed([] { frameAt(1.016); });
    for (const auto& t : targets) Kinetra::tween(t, 0.5, rt::props({{"x", 100.0}}));
    frameAt(1.032);
    frameAt(1.6);  // every tween finishes here
    double after = timed([] { frameAt(1.616); });
    if (display) {
        for (auto it = targets.rbegin(); it != targets.rend(); ++it) {
            stage->removeChild(std::static_pointer_cast<limn::display::Sprite>(*it));
        }
    }
    freshEngine();
    return after / ordinary;
}

// Starting count tweens with overwrite on distinct plain objects, per tween.
double startCost(int count) {
    freshEngine();
    auto targets = makeTargets(count, false);
    double ns = timed([&] {
        for (const auto& t : targets) Kinetra::tween(t, 1.0, rt::props({{"x", 100.0}}));
    });
    freshEngine();
    return ns / count;
}

double best(int rounds, const std::function<double()>& figure) {
    double least = figure();
    for (int i = 1; i < rounds; ++i) least = std::min(least, figure());
    return least;
}

void ratio(const char* label, double value, double goal) {
    std::printf("ratio %s %.2f (goal %s %.1f)\n", label, value, goal >= 1 ? "<=" : ">=", goal);
}

}  // namespace

int main() {
    auto quiet = std::make_shared<QuietBackend>();
    backend = quiet.get();
    limn::native::registerModule("limn", quiet);
    limn::native::Primitive::resolveAll();
    limn::Lib::createManagedStage(320, 480);

    for (int count : {10000, 64000}) {
        int frames = count > 10000 ? 20 : 60;
        double floor = 0;
        double plain = 0;
        for (int round = 0; round < 5; ++round) {
            double f = floorUpdate(count, frames);
            double k = kinetraUpdate(count, false, frames);
            floor = round ? std::min(floor, f) : f;
            plain = round ? std::min(plain, k) : k;
        }
        double display = best(3, [&] { return kinetraUpdate(count, true, frames); });
        std::printf("kinetra plain %d %.1f\n", count, plain);
        std::printf("kinetra display %d %.1f\n", count, display);
        std::printf("floor plain %d %.1f\n", count, floor);
    }
    ratio("finish-40000-plain/ordinary-frame",
          best(3, [] { return finishFrameRatio(40000, false); }), 2);
    ratio("finish-40000-display/ordinary-frame",
          best(3, [] { return finishFrameRatio(40000, true); }), 2);
    double small = best(5, [] { return startCost(1000); });
    double large = best(3, [] { return startCost(20000); });
    ratio("start-20000/start-1000-per-tween", large / small, 2);
    return 0;
}
