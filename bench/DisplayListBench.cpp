// Removing every child of a container one by one and adding them back, from
// the front and from the back, in the framework (over a backend that answers
// at once) and in the native backend's scene nodes. Apart from shifting the
// array, removing from the front should cost what removing from the back does.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "QuietBackend.h"
#include "RatioReporter.h"
#include "backend/scene/SceneNode.h"
#include "framework/Lib.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Sprite.h"
#include "native/Primitive.h"

namespace {

using limn::display::DisplayObject;
using limn::display::Sprite;
using limn::sdl::SceneNode;

constexpr int kChildren = 10000;

struct Display {
    std::shared_ptr<Sprite> parent = std::make_shared<Sprite>();
    std::vector<std::shared_ptr<DisplayObject>> children;
    Display() {
        for (int i = 0; i < kChildren; ++i) {
            children.push_back(std::make_shared<Sprite>());
            parent->addChild(children.back());
        }
    }
};

void BM_ChildrenFromFront(benchmark::State& state) {
    Display d;
    for (auto _ : state) {
        for (const auto& child : d.children) d.parent->removeChild(child);
        for (const auto& child : d.children) d.parent->addChild(child);
    }
}
BENCHMARK(BM_ChildrenFromFront)->Unit(benchmark::kMillisecond);

void BM_ChildrenFromBack(benchmark::State& state) {
    Display d;
    for (auto _ : state) {
        for (auto it = d.children.rbegin(); it != d.children.rend(); ++it)
            d.parent->removeChild(*it);
        for (auto it = d.children.rbegin(); it != d.children.rend(); ++it) d.parent->addChild(*it);
        std::reverse(d.children.begin(), d.children.end());
    }
}
BENCHMARK(BM_ChildrenFromBack)->Unit(benchmark::kMillisecond);

void BM_ChildrenAtFront(benchmark::State& state) {
    Display d;
    for (auto _ : state) {
        for (int i = 0; i < kChildren; ++i) d.parent->removeChildAt(0);
        for (const auto& child : d.children) d.parent->addChild(child);
    }
}
BENCHMARK(BM_ChildrenAtFront)->Unit(benchmark::kMillisecond);

void BM_ChildrenAtBack(benchmark::State& state) {
    Display d;
    for (auto _ : state) {
        for (int i = kChildren - 1; i >= 0; --i) d.parent->removeChildAt(i);
        for (const auto& child : d.children) d.parent->addChild(child);
    }
}
BENCHMARK(BM_ChildrenAtBack)->Unit(benchmark::kMillisecond);

struct Nodes {
    std::shared_ptr<SceneNode> parent = std::make_shared<SceneNode>();
    std::vector<std::shared_ptr<SceneNode>> children;
    Nodes() {
        for (int i = 0; i < kChildren; ++i) {
            children.push_back(std::make_shared<SceneNode>());
            parent->addChild(children.back());
        }
    }
};

void BM_NodesFromFront(benchmark::State& state) {
    Nodes n;
    for (auto _ : state) {
        for (const auto& child : n.children) n.parent->removeChild(child.get());
        for (const auto& child : n.children) n.parent->addChild(child);
    }
}
BENCHMARK(BM_NodesFromFront)->Unit(benchmark::kMillisecond);

void BM_NodesFromBack(benchmark::State& state) {
    Nodes n;
    for (auto _ : state) {
        for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) {
            n.parent->removeChild(it->get());
        }
        for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) n.parent->addChild(*it);
        std::reverse(n.children.begin(), n.children.end());
    }
}
BENCHMARK(BM_NodesFromBack)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    auto quiet = std::make_shared<limn::bench::QuietBackend>();
    limn::native::registerModule("limn", quiet);
    limn::native::Primitive::resolveAll();
    limn::Lib::createManagedStage(320, 480);
    benchmark::Initialize(&argc, argv);
    limn::bench::RatioReporter reporter({
        {"children by reference, front / back", "BM_ChildrenFromFront", "BM_ChildrenFromBack", 5},
        {"children by index, front / back", "BM_ChildrenAtFront", "BM_ChildrenAtBack", 5},
        {"scene nodes, front / back", "BM_NodesFromFront", "BM_NodesFromBack", 5},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
