// Whole frames as a user runs them: Bitmaps on a stage, an enterFrame listener
// moving them, the stage's render, and the upload and present of an SDL
// software renderer (what the main frame does). Baselines of the same run:
// - the floor: the same scene composited straight by pixman (an affine
//   transform per sprite), uploaded and presented the same way;
// - a peer: SDL's software renderer drawing each sprite with SDL_RenderCopyEx;
// - for a still frame of 100,000 objects: a frame in which one of them moved.
//
// Scene modes: 0 integer positions, no rotation or scale; 1 rotated, scaled
// (0.5-2x) and at fractional positions, sampled bilinearly. The API frames
// are timed on one drawing thread and on every core; every sprite case is
// timed in wall time, so the floor is one thread's.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/Surface.h"
#include "backend/primitives/Primitives.h"
#include "backend/scene/BandPool.h"
#include "backend/scene/SceneNode.h"
#include "backend/stage/StageNode.h"
#include "framework/Lib.h"
#include "framework/display/Bitmap.h"
#include "framework/display/BitmapData.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "runtime/Function.h"

namespace {

using limn::sdl::Bounds;
using limn::sdl::Surface;

constexpr int kSpriteW = 26;
constexpr int kSpriteH = 37;

// Straight 0xAARRGGBB of the sprite: an ellipse fading out towards its rim.
std::uint32_t spritePixel(int x, int y) {
    const double dx = (x + 0.5) / kSpriteW * 2 - 1, dy = (y + 0.5) / kSpriteH * 2 - 1;
    const double r = std::sqrt(dx * dx + dy * dy);
    const auto a = static_cast<std::uint32_t>(std::clamp((1 - r) * 3, 0.0, 1.0) * 255);
    return a << 24 | (0xE0 - 4 * x) << 16 | (0x80 + 2 * y) << 8 | 0x30;
}

std::shared_ptr<Surface> spriteSurface() {
    auto s = Surface::create(kSpriteW, kSpriteH, true, 0);
    for (int y = 0; y < kSpriteH; ++y) {
        for (int x = 0; x < kSpriteW; ++x) {
            const std::uint32_t p = spritePixel(x, y), a = p >> 24;
            auto pre = [a](std::uint32_t v) { return (v * a + 127) / 255; };
            s->row(y)[x] =
                a << 24 | pre((p >> 16) & 0xFF) << 16 | pre((p >> 8) & 0xFF) << 8 | pre(p & 0xFF);
        }
    }
    s->markDirty();
    return s;
}

struct Place {
    double x, y, degrees, scale;
};

// Sprite i in frame f: a deterministic drift, turn and size.
Place place(int i, int frame, int width, int height, bool transformed) {
    const double x = (i * 37 + frame * 3) % width, y = (i * 53 + frame * 2) % height;
    if (!transformed) return {x - kSpriteW / 2.0, y - kSpriteH / 2.0, 0, 1};
    return {x + 0.37, y + 0.61, static_cast<double>((i * 13 + frame * 2) % 360),
            0.5 + (i % 16) / 10.0};
}

// What the main frame does with a finished frame: upload the changed boxes to
// a streaming texture and present it.
class Screen {
public:
    Screen(int width, int height)
        : surface_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)),
          renderer_(SDL_CreateSoftwareRenderer(surface_)),
          texture_(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height)) {}
    ~Screen() {
        SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
        SDL_FreeSurface(surface_);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    void present(Surface& frame, const std::vector<Bounds>& boxes) {
        if (boxes.empty()) {
            SDL_UpdateTexture(texture_, nullptr, frame.row(0), frame.stride());
        }
        for (const Bounds& b : boxes) {
            const SDL_Rect r{static_cast<int>(b.x0), static_cast<int>(b.y0),
                             static_cast<int>(b.x1 - b.x0), static_cast<int>(b.y1 - b.y0)};
            SDL_UpdateTexture(texture_, &r, frame.row(r.y) + r.x, frame.stride());
        }
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }
    [[nodiscard]] SDL_Renderer* renderer() const { return renderer_; }

private:
    SDL_Surface* surface_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
};

// A managed stage on the real backend whose frames go to a Screen.
struct ApiStage {
    std::shared_ptr<limn::display::ManagedStage> stage;
    std::unique_ptr<Screen> screen;

    ApiStage(int width, int height) {
        limn::sdl::registerModule();
        stage = limn::Lib::createManagedStage(width, height);
        stage->limnSetFrameRate(0);
        screen = std::make_unique<Screen>(width, height);
        limn::sdl::StageNode::from(stage->limnHandle)
            ->setPresenter([this](Surface& frame, const std::vector<Bounds>& boxes) {
                screen->present(frame, boxes);
            });
    }
    ~ApiStage() { limn::sdl::StageNode::from(stage->limnHandle)->setPresenter(nullptr); }
    ApiStage(const ApiStage&) = delete;
    ApiStage& operator=(const ApiStage&) = delete;
};

std::shared_ptr<limn::display::BitmapData> spriteData() {
    auto data = std::make_shared<limn::display::BitmapData>(kSpriteW, kSpriteH, true, 0u);
    for (int y = 0; y < kSpriteH; ++y) {
        for (int x = 0; x < kSpriteW; ++x) data->setPixel32(x, y, spritePixel(x, y));
    }
    return data;
}

// state.range(4): drawing threads, 0 for as many as the machine has.
void BM_SpritesApi(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool transformed = state.range(3) != 0;
    limn::sdl::BandPool::shared().setThreads(static_cast<int>(state.range(4)));
    ApiStage api(w, h);
    auto data = spriteData();
    std::vector<std::shared_ptr<limn::display::Bitmap>> sprites;
    for (int i = 0; i < n; ++i) {
        sprites.push_back(std::make_shared<limn::display::Bitmap>(data, std::nullopt, transformed));
        api.stage->addChild(sprites.back());
    }
    int frame = 0;
    api.stage->addEventListener(limn::events::Event::ENTER_FRAME, rt::function([&] {
                                    for (int i = 0; i < n; ++i) {
                                        const Place p = place(i, frame, w, h, transformed);
                                        auto& s = *sprites[i];
                                        s.limnSetX(p.x);
                                        s.limnSetY(p.y);
                                        if (!transformed) continue;
                                        s.limnSetRotation(p.degrees);
                                        s.limnSetScaleX(p.scale);
                                        s.limnSetScaleY(p.scale);
                                    }
                                    ++frame;
                                }));
    for (auto _ : state) api.stage->limnRender(true);
    limn::sdl::BandPool::shared().setThreads(0);
}

// The matrix of a placed sprite, as the display list builds it.
pixman_transform_t inverseOf(const Place& p, int& x0, int& y0, int& x1, int& y1) {
    const double r = p.degrees * std::numbers::pi / 180, cs = std::cos(r), sn = std::sin(r);
    const double a = cs * p.scale, b = sn * p.scale, c = -sn * p.scale, d = cs * p.scale;
    const double det = a * d - b * c;
    pixman_f_transform f{};
    f.m[0][0] = d / det;
    f.m[0][1] = -c / det;
    f.m[1][0] = -b / det;
    f.m[1][1] = a / det;
    f.m[0][2] = -(f.m[0][0] * p.x + f.m[0][1] * p.y);
    f.m[1][2] = -(f.m[1][0] * p.x + f.m[1][1] * p.y);
    f.m[2][2] = 1;
    double lx = 1e9, ly = 1e9, hx = -1e9, hy = -1e9;
    for (auto [u, v] : {std::pair{0, 0}, {kSpriteW, 0}, {0, kSpriteH}, {kSpriteW, kSpriteH}}) {
        const double x = a * u + c * v + p.x, y = b * u + d * v + p.y;
        lx = std::min(lx, x);
        ly = std::min(ly, y);
        hx = std::max(hx, x);
        hy = std::max(hy, y);
    }
    x0 = static_cast<int>(std::floor(lx));
    y0 = static_cast<int>(std::floor(ly));
    x1 = static_cast<int>(std::ceil(hx));
    y1 = static_cast<int>(std::ceil(hy));
    pixman_transform_t t;
    pixman_transform_from_pixman_f_transform(&t, &f);
    return t;
}

void BM_SpritesPixmanFloor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool transformed = state.range(3) != 0;
    auto target = Surface::create(w, h, false, 0xFFFFFFFF);
    auto sprite = spriteSurface();
    Screen screen(w, h);
    pixman_image_t* source = samplerOf(*sprite);
    pixman_image_set_filter(source, transformed ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST,
                            nullptr, 0);
    const pixman_color_t white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    const pixman_box32_t all{0, 0, w, h};
    int frame = 0;
    for (auto _ : state) {
        pixman_image_fill_boxes(PIXMAN_OP_SRC, pixmanOf(*target), &white, 1, &all);
        for (int i = 0; i < n; ++i) {
            const Place p = place(i, frame, w, h, transformed);
            if (!transformed) {
                pixman_image_composite32(PIXMAN_OP_OVER, pixmanOf(*sprite), nullptr,
                                         pixmanOf(*target), 0, 0, 0, 0, static_cast<int>(p.x),
                                         static_cast<int>(p.y), kSpriteW, kSpriteH);
                continue;
            }
            int x0, y0, x1, y1;
            const pixman_transform_t t = inverseOf(p, x0, y0, x1, y1);
            pixman_image_set_transform(source, &t);
            pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, pixmanOf(*target), x0, y0, 0,
                                     0, x0, y0, x1 - x0, y1 - y0);
        }
        screen.present(*target, {});
        ++frame;
    }
    pixman_image_set_transform(source, nullptr);
}

void BM_SpritesSdlRenderCopyEx(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool transformed = state.range(3) != 0;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, transformed ? "1" : "0");
    Screen screen(w, h);
    SDL_Surface* straight =
        SDL_CreateRGBSurfaceWithFormat(0, kSpriteW, kSpriteH, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < kSpriteH; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(straight->pixels) +
                                                     y * straight->pitch);
        for (int x = 0; x < kSpriteW; ++x) row[x] = spritePixel(x, y);
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(screen.renderer(), straight);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    int frame = 0;
    for (auto _ : state) {
        SDL_SetRenderDrawColor(screen.renderer(), 255, 255, 255, 255);
        SDL_RenderClear(screen.renderer());
        for (int i = 0; i < n; ++i) {
            const Place p = place(i, frame, w, h, transformed);
            const SDL_FRect dest{static_cast<float>(p.x), static_cast<float>(p.y),
                                 static_cast<float>(kSpriteW * p.scale),
                                 static_cast<float>(kSpriteH * p.scale)};
            const SDL_FPoint pivot{0, 0};
            SDL_RenderCopyExF(screen.renderer(), texture, nullptr, &dest, p.degrees, &pivot,
                              SDL_FLIP_NONE);
        }
        SDL_RenderPresent(screen.renderer());
        ++frame;
    }
    SDL_DestroyTexture(texture);
    SDL_FreeSurface(straight);
}

void spriteArgs(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000}) {
        for (auto [w, h] : {std::pair{320, 480}, std::pair{800, 600}}) {
            for (int mode : {0, 1}) b->Args({n, w, h, mode});
        }
    }
}
void spriteApiArgs(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000}) {
        for (auto [w, h] : {std::pair{320, 480}, std::pair{800, 600}}) {
            for (int mode : {0, 1}) {
                for (int threads : {1, 0}) b->Args({n, w, h, mode, threads});
            }
        }
    }
}
// Wall time: a frame drawn on both cores takes less of it than of CPU time.
BENCHMARK(BM_SpritesApi)->Apply(spriteApiArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SpritesPixmanFloor)->Apply(spriteArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SpritesSdlRenderCopyEx)
    ->Apply(spriteArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

constexpr int kStill = 100000;

// 100,000 small bitmaps spread over an 800x600 stage.
std::vector<std::shared_ptr<limn::display::Bitmap>> addStill(ApiStage& api) {
    auto data = std::make_shared<limn::display::BitmapData>(4, 4, false, 0xFF336699u);
    std::vector<std::shared_ptr<limn::display::Bitmap>> all;
    for (int i = 0; i < kStill; ++i) {
        all.push_back(std::make_shared<limn::display::Bitmap>(data));
        all.back()->limnSetX((i * 37) % 796);
        all.back()->limnSetY((i * 53) % 596);
        api.stage->addChild(all.back());
    }
    return all;
}

// 100,000 small bitmaps; state.range(0): 1 when one of them moves each frame.
void BM_Still100k(benchmark::State& state) {
    const bool moveOne = state.range(0) != 0;
    ApiStage api(800, 600);
    const auto all = addStill(api);
    api.stage->limnRender(true);
    int frame = 0;
    for (auto _ : state) {
        if (moveOne) all[0]->limnSetX(++frame % 700);
        api.stage->limnRender(true);
    }
}
BENCHMARK(BM_Still100k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The enterFrame broadcast alone over 100,000 objects in 100 sprites, two of
// which listen (one inside a sprite, and the stage). state.range(0): 1 when
// the inner listener also adds and removes a shape each frame, as a spawner
// does. Baseline: the same broadcast as a walk over every object.
struct BroadcastScene {
    ApiStage api{800, 600};
    std::shared_ptr<limn::display::Sprite> spawnIn;
    std::shared_ptr<limn::display::Shape> spawned = std::make_shared<limn::display::Shape>();
    explicit BroadcastScene(bool spawn) {
        for (int g = 0; g < 100; ++g) {
            auto group = std::make_shared<limn::display::Sprite>();
            api.stage->addChild(group);
            for (int i = 0; i < kStill / 100 - 1; ++i) {
                group->addChild(std::make_shared<limn::display::Shape>());
            }
            if (g == 50) spawnIn = group;
        }
        auto inner = spawnIn->getChildAt(500);
        inner->addEventListener(limn::events::Event::ENTER_FRAME, rt::function([this, spawn] {
                                    if (!spawn) return;
                                    if (spawned->limnGetParent()) {
                                        spawnIn->removeChild(spawned);
                                    } else {
                                        spawnIn->addChild(spawned);
                                    }
                                }));
        api.stage->addEventListener(limn::events::Event::ENTER_FRAME, rt::function([] {}));
    }
};

void walkAll(limn::display::DisplayObject& object, const std::shared_ptr<limn::events::Event>& e) {
    if (auto* c = dynamic_cast<limn::display::DisplayObjectContainer*>(&object)) {
        std::size_t i = 0;
        while (i < c->children().size()) {
            auto child = c->children()[i];
            walkAll(*child, e);
            if (i >= c->children().size()) break;
            if (c->children()[i] == child) ++i;
        }
    }
    object.dispatchEvent(e);
}

void BM_Broadcast100k(benchmark::State& state) {
    BroadcastScene scene(state.range(0) != 0);
    for (auto _ : state) {
        scene.api.stage->limnBroadcast(
            std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME));
    }
}
BENCHMARK(BM_Broadcast100k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_WalkEveryObject100k(benchmark::State& state) {
    BroadcastScene scene(false);
    for (auto _ : state) {
        walkAll(*scene.api.stage,
                std::make_shared<limn::events::Event>(limn::events::Event::ENTER_FRAME));
    }
}
BENCHMARK(BM_WalkEveryObject100k)->Unit(benchmark::kMicrosecond);

// The setter path alone: 10,000 Bitmaps on the stage moved each frame through
// the framework's x and y setters (one primitive call each), against the same
// writes made straight to the backend's nodes. No render, so the backend's
// share is the same in both.
constexpr int kMoved = 10000;

struct MovedScene {
    ApiStage api{800, 600};
    std::vector<std::shared_ptr<limn::display::Bitmap>> sprites;
    MovedScene() {
        auto data = spriteData();
        for (int i = 0; i < kMoved; ++i) {
            sprites.push_back(std::make_shared<limn::display::Bitmap>(data));
            api.stage->addChild(sprites.back());
        }
    }
};

void BM_MoveBitmapsApi(benchmark::State& state) {
    MovedScene scene;
    int frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < kMoved; ++i) {
            const Place p = place(i, frame, 800, 600, false);
            scene.sprites[i]->limnSetX(p.x);
            scene.sprites[i]->limnSetY(p.y);
        }
        ++frame;
    }
}
BENCHMARK(BM_MoveBitmapsApi)->Unit(benchmark::kMicrosecond);

void BM_MoveBitmapsNodes(benchmark::State& state) {
    MovedScene scene;
    std::vector<limn::sdl::SceneNode*> nodes;
    for (const auto& s : scene.sprites) nodes.push_back(limn::sdl::SceneNode::from(s->limnHandle));
    int frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < kMoved; ++i) {
            const Place p = place(i, frame, 800, 600, false);
            nodes[i]->setX(p.x);
            nodes[i]->setY(p.y);
        }
        ++frame;
    }
}
BENCHMARK(BM_MoveBitmapsNodes)->Unit(benchmark::kMicrosecond);
// The same 100,000 bitmaps rendered without the enterFrame broadcast.
// state.range(0): 0 nothing changes, 1 one of them moves, 2 one moves and every
// frame is redrawn whole (what every frame cost before frames were retained).
void BM_Retained100k(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    ApiStage api(800, 600);
    auto* node = limn::sdl::StageNode::from(api.stage->limnHandle);
    node->setPartialRedraw(mode != 2);
    const auto all = addStill(api);
    api.stage->limnRender(false);
    int frame = 0;
    for (auto _ : state) {
        if (mode != 0) all[0]->limnSetX(++frame % 700);
        api.stage->limnRender(false);
    }
}
BENCHMARK(BM_Retained100k)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<limn::bench::Ratio> ratios = {
        {"still frame of 100k objects / one of them moved", "BM_Still100k/0", "BM_Still100k/1",
         0.01},
        {"enterFrame to 100k objects, 2 listening / walk over every object", "BM_Broadcast100k/0",
         "BM_WalkEveryObject100k", 0.01},
        {"same, a listener adding or removing a child each frame / walk over every object",
         "BM_Broadcast100k/1", "BM_WalkEveryObject100k", 0.01},
        {"10k bitmaps moved through the setters / written to the nodes", "BM_MoveBitmapsApi",
         "BM_MoveBitmapsNodes", 0.0},
        {"100k objects, render only: nothing changed / whole redraw", "BM_Retained100k/0",
         "BM_Retained100k/2", 0.01},
        {"100k objects, render only: one moved / whole redraw", "BM_Retained100k/1",
         "BM_Retained100k/2", 0.05},
    };
    for (int n : {1000, 10000}) {
        for (const char* size : {"320/480", "800/600"}) {
            for (int mode : {0, 1}) {
                char args[32], what[80];
                std::snprintf(args, sizeof args, "/%d/%s/%d", n, size, mode);
                std::snprintf(what, sizeof what, "%d sprites %s %s", n, size,
                              mode ? "rotated+scaled+fractional" : "integer");
                const std::string one = std::string("BM_SpritesApi") + args + "/1";
                const std::string all = std::string("BM_SpritesApi") + args + "/0";
                const std::string floor = std::string("BM_SpritesPixmanFloor") + args;
                ratios.push_back({std::string(what) + ": API frame, 1 thread / pixman floor", one,
                                  floor, mode ? 1.3 : 1.2});
                ratios.push_back({std::string(what) + ": API frame, all cores / pixman floor", all,
                                  floor, mode ? 0.6 : 0.7});
                ratios.push_back({std::string(what) + ": API frame, 1 thread / SDL RenderCopyEx",
                                  one, std::string("BM_SpritesSdlRenderCopyEx") + args,
                                  mode ? 1 / 1.5 : 0.0});
            }
        }
    }
    limn::bench::RatioReporter reporter(ratios);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
