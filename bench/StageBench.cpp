// Routing one native mouse-move through a stage holding 10,000 sprites
// (100 containers of 99 sprites): finding the target by id, building the hover
// stack, the hover check and firing the event, over the recording backend.
// Baselines of the same run: firing the event on the target alone (what
// routing adds to it), and finding the target by searching the tree (what the
// id index saves).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "RatioReporter.h"
#include "backend/recording/RecordingBackend.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/MouseEvent.h"
#include "native/EventRecord.h"
#include "runtime/Function.h"

namespace {

using limn::display::DisplayObject;
using limn::display::DisplayObjectContainer;
using limn::display::Sprite;
using limn::display::Stage;
using limn::recording::RecordingBackend;

constexpr int kContainers = 100;
constexpr int kPerContainer = 99;

struct Scene {
    std::shared_ptr<Stage> stage;
    std::shared_ptr<Sprite> first;  // a sprite in the first container
    std::shared_ptr<Sprite> last;   // the last sprite of the last container
    int heard = 0;
};

Scene& scene() {
    static Scene s = [] {
        auto& backend = RecordingBackend::instance();
        backend.answerWith("limn_display_object_get_id", [](rt::Args args) {
            return rt::Dynamic(RecordingBackend::idOf(args[0]));
        });
        Scene made;
        made.stage = std::make_shared<Stage>(backend.makeHandle("stage"), 320, 480);
        made.stage->limnSetFrameRate(0);
        for (int c = 0; c < kContainers; ++c) {
            auto container = std::make_shared<Sprite>();
            made.stage->addChild(container);
            for (int i = 0; i < kPerContainer; ++i) {
                auto sprite = std::make_shared<Sprite>();
                container->addChild(sprite);
                if (c == 0 && i == 0) made.first = sprite;
                made.last = sprite;
            }
        }
        auto count = rt::function([&heard = made.heard] { ++heard; });
        made.first->addEventListener("mouseMove", count);
        made.last->addEventListener("mouseMove", count);
        made.stage->addEventListener("mouseMove", count);
        backend.clearCalls();
        return made;
    }();
    return s;
}

std::shared_ptr<limn::native::EventRecord> moveOver(const DisplayObject& target) {
    auto r = std::make_shared<limn::native::EventRecord>();
    r->type = limn::display::ManagedStage::etMouseMove;
    r->id = target.limnID;
    r->x = 10;
    r->y = 20;
    return r;
}

DisplayObject* searchTree(DisplayObjectContainer& node, int id) {
    if (node.limnID == id) return &node;
    for (const auto& child : node.children()) {
        if (child->limnID == id) return child.get();
        if (auto* c = dynamic_cast<DisplayObjectContainer*>(child.get())) {
            if (auto* found = searchTree(*c, id)) return found;
        }
    }
    return nullptr;
}

void BM_SearchTreeForTarget(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) benchmark::DoNotOptimize(searchTree(*s.stage, s.last->limnID));
}
BENCHMARK(BM_SearchTreeForTarget);

void BM_FireOnTargetOnly(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.last->limnFireEvent(std::make_shared<limn::events::MouseEvent>("mouseMove"));
    }
}
BENCHMARK(BM_FireOnTargetOnly);

void BM_RouteMouseMove(benchmark::State& state) {
    Scene& s = scene();
    auto& backend = RecordingBackend::instance();
    auto move = moveOver(*s.last);
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.stage->limnDoProcessStageEvent(move));
        backend.clearCalls();
    }
}
BENCHMARK(BM_RouteMouseMove);

// Every move changes the hovered object: out, over, roll-out and roll-over too.
void BM_RouteMouseMoveChangingHover(benchmark::State& state) {
    Scene& s = scene();
    auto& backend = RecordingBackend::instance();
    auto moves = std::vector{moveOver(*s.first), moveOver(*s.last)};
    std::size_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.stage->limnDoProcessStageEvent(moves[n++ & 1]));
        backend.clearCalls();
    }
}
BENCHMARK(BM_RouteMouseMoveChangingHover);

}  // namespace

int main(int argc, char** argv) {
    RecordingBackend::install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    limn::bench::RatioReporter reporter({
        {"mouse move routed / fired on its target alone", "BM_RouteMouseMove",
         "BM_FireOnTargetOnly", 10.0},
        {"mouse move with hover change / fired on its target alone",
         "BM_RouteMouseMoveChangingHover", "BM_FireOnTargetOnly", 20.0},
        {"tree searched for the target / mouse move routed", "BM_SearchTreeForTarget",
         "BM_RouteMouseMove"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
