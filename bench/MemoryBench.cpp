// Memory per object as a user pays it: N display objects made through the
// public API, put on a managed stage on the real backend and drawn (so the
// native scene node, its render caches and every map or list made on the way
// count), and N running tweens. Two figures per kind:
// - "new": bytes asked of operator new per object (counted by the
//   replacement below), with the number of blocks;
// - "heap": growth of the C heap's bytes in use per object (mallinfo2), which
//   adds the allocator's own overhead per block and what C libraries allocate.
// The heap figure is the one a user sees. Baselines of the same run: a plain
// struct holding what a moving sprite needs (position, scale, rotation, a
// matrix, a picture pointer) in a vector, and the goal for a moving bitmap.
//
// Prints one line per figure:
//   "memory <kind> <new bytes> new, <blocks> blocks, <heap bytes> heap (per object)"
//   "ratio <label> <value> (goal <goal>)"

#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "backend/primitives/Primitives.h"
#include "backend/scene/SceneNode.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/Graphics.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "motion/Kinetra.h"

namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> liveBlocks{0};

}  // namespace

// Every block remembers its size in a header, so that delete can count it.
void* operator new(std::size_t size) {
    constexpr std::size_t header = alignof(std::max_align_t);
    void* block = std::malloc(size + header);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += static_cast<long long>(size);
    ++liveBlocks;
    return static_cast<char*>(block) + header;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    constexpr std::size_t header = alignof(std::max_align_t);
    void* block = static_cast<char*>(p) - header;
    liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    --liveBlocks;
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using limn::display::Bitmap;
using limn::display::BitmapData;
using limn::display::DisplayObject;
using limn::display::Shape;
using limn::display::Sprite;

constexpr int kCount = 10000;

struct Usage {
    long long newBytes;
    long long blocks;
    long long heapBytes;
};

// The operator-new header above is the benchmark's, not the program's: the
// heap figure leaves it out.
Usage now() {
    const struct mallinfo2 heap = mallinfo2();
    return {liveBytes.load(), liveBlocks.load(),
            static_cast<long long>(heap.uordblks + heap.hblkhd) -
                liveBlocks.load() * static_cast<long long>(alignof(std::max_align_t))};
}

struct PerObject {
    double newBytes, blocks, heapBytes;
};

PerObject per(const Usage& before, const Usage& after, int count) {
    return {static_cast<double>(after.newBytes - before.newBytes) / count,
            static_cast<double>(after.blocks - before.blocks) / count,
            static_cast<double>(after.heapBytes - before.heapBytes) / count};
}

void print(const char* kind, const PerObject& p) {
    std::printf("memory %-34s %7.1f new, %5.2f blocks, %7.1f heap (per object)\n", kind, p.newBytes,
                p.blocks, p.heapBytes);
}

struct ApiStage {
    std::shared_ptr<limn::display::ManagedStage> stage;
    ApiStage() {
        limn::sdl::registerModule();
        stage = limn::Lib::createManagedStage(800, 600);
        stage->limnSetFrameRate(0);
    }
    void frame() { stage->limnRender(true); }
};

// Makes count objects with make(i), puts them on the stage and draws two
// frames (the second after moving every one when `move`); the cost per object
// of the whole.
template <class T>
PerObject measure(ApiStage& api, const std::function<std::shared_ptr<T>(int)>& make, bool move) {
    std::vector<std::shared_ptr<T>> objects;
    objects.reserve(kCount);
    api.frame();
    malloc_trim(0);
    const Usage before = now();
    for (int i = 0; i < kCount; ++i) {
        objects.push_back(make(i));
        objects.back()->limnSetX(i % 800);
        objects.back()->limnSetY(i / 800 * 40 % 600);
        api.stage->addChild(objects.back());
    }
    api.frame();
    if (move) {
        for (int i = 0; i < kCount; ++i) objects[i]->limnSetX(objects[i]->limnGetX() + 1);
    }
    api.frame();
    const PerObject result = per(before, now(), kCount);
    for (const auto& object : objects) api.stage->removeChild(object);
    api.frame();
    return result;
}

// What a moving sprite needs at the least, packed in a vector.
struct PlainSprite {
    double x, y, scaleX, scaleY, rotation, alpha;
    double matrix[6];
    const void* picture;
};

PerObject plainSprites() {
    malloc_trim(0);
    const Usage before = now();
    std::vector<PlainSprite> sprites(kCount);
    return per(before, now(), kCount);
}

PerObject tweens(ApiStage& api) {
    using com::quillfern::motion::Kinetra;
    std::vector<std::shared_ptr<Sprite>> targets;
    for (int i = 0; i < kCount; ++i) {
        targets.push_back(std::make_shared<Sprite>());
        api.stage->addChild(targets.back());
    }
    api.frame();
    malloc_trim(0);
    const Usage before = now();
    for (const auto& target : targets) {
        Kinetra::tween(target, 1000.0, rt::props({{"x", 100.0}}), false);
    }
    // The clock reads whole milliseconds: past the next one, every tween has
    // started by the first frame and holds what it needs to run.
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    api.frame();
    api.frame();
    const PerObject result = per(before, now(), kCount);
    Kinetra::reset();
    for (const auto& target : targets) api.stage->removeChild(target);
    api.frame();
    return result;
}

}  // namespace

int main() {
    ApiStage api;
    auto data = std::make_shared<BitmapData>(26, 37, true, 0xFF336699u);

    const PerObject plain = plainSprites();
    print("plain sprite struct (baseline)", plain);

    const PerObject bitmap = measure<Bitmap>(
        api, [&](int) { return std::make_shared<Bitmap>(data); }, false);
    print("Bitmap, one shared BitmapData", bitmap);
    const PerObject moving = measure<Bitmap>(
        api, [&](int) { return std::make_shared<Bitmap>(data); }, true);
    print("Bitmap, moved and redrawn", moving);
    const PerObject sprite = measure<Sprite>(
        api, [](int) { return std::make_shared<Sprite>(); }, false);
    print("Sprite, empty", sprite);
    const PerObject shape = measure<Shape>(
        api,
        [](int i) {
            auto s = std::make_shared<Shape>();
            s->limnGetGraphics()->beginFill(0x336699 + i, 1.0);
            s->limnGetGraphics()->drawRect(0, 0, 20, 20);
            return s;
        },
        false);
    print("Shape, one filled rectangle", shape);
    const PerObject tween = tweens(api);
    print("running tween of x", tween);

    std::printf("sizeof Bitmap %zu, Sprite %zu, Shape %zu, SceneNode %zu\n", sizeof(Bitmap),
                sizeof(Sprite), sizeof(Shape), sizeof(limn::sdl::SceneNode));
    std::printf("ratio moving bitmap heap / plain sprite struct %.1f (goal none)\n",
                moving.heapBytes / plain.heapBytes);
    std::printf("ratio moving bitmap heap / 300 bytes %.2f (goal 1.0)\n", moving.heapBytes / 300);
    return 0;
}
