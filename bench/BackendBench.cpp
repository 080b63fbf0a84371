// Costs of the native backend, each against a floor or a peer measured in the
// same run:
// - a frame of the game's 320 x 480 screen (background picture, ten 50 x 50
//   pictures and a vector bar) against copying the frame's bytes once;
// - N soft-edged 26 x 37 sprites moved every frame, against the same drawing
//   done directly with pixman (the floor) and with SDL's software renderer
//   (a peer);
// - a pointer hit test over 10,000 sprites against a plain loop over their boxes.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/Surface.h"
#include "backend/scene/BandPool.h"
#include "backend/stage/StageInput.h"
#include "backend/stage/StageNode.h"

namespace {

using limn::sdl::FillKind;
using limn::sdl::FillStyle;
using limn::sdl::NodeKind;
using limn::sdl::SceneNode;
using limn::sdl::StageNode;
using limn::sdl::Surface;

constexpr int kSpriteW = 26;
constexpr int kSpriteH = 37;

// A picture with soft alpha edges: an ellipse fading out towards its rim.
std::shared_ptr<Surface> softSprite() {
    auto s = Surface::create(kSpriteW, kSpriteH, true, 0);
    cairo_t* cr = cairo_create(cairoOf(*s));
    cairo_translate(cr, kSpriteW / 2.0, kSpriteH / 2.0);
    cairo_scale(cr, kSpriteW / 2.0, kSpriteH / 2.0);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.9, 0.5, 0.2, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.7, 0.6, 0.3, 0.1, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.3, 0.1, 0.0, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_destroy(cr);
    s->markDirty();
    return s;
}

std::shared_ptr<Surface> opaquePicture(int w, int h) {
    auto s = Surface::create(w, h, false, 0xFF3080C0);
    cairo_t* cr = cairo_create(cairoOf(*s));
    cairo_set_source_rgb(cr, 0.2, 0.6, 0.2);
    cairo_rectangle(cr, 0, h * 0.6, w, h * 0.4);
    cairo_fill(cr);
    cairo_destroy(cr);
    s->markDirty();
    return s;
}

std::shared_ptr<SceneNode> pictureNode(const std::shared_ptr<Surface>& picture) {
    auto node = std::make_shared<SceneNode>(NodeKind::Shape);
    FillStyle fill;
    fill.kind = FillKind::Bitmap;
    fill.bitmap = picture;
    fill.repeat = false;
    node->graphics().beginFill(fill);
    node->graphics().drawRect(0, 0, picture->width(), picture->height());
    node->graphics().endFill();
    return node;
}

// Sprite i's position in frame f: a deterministic drift across the stage.
double spriteX(int i, int frame, int width, bool fractional) {
    const double x = (i * 37 + frame * 3) % (width - kSpriteW);
    return fractional ? x + 0.37 : x;
}
double spriteY(int i, int frame, int height, bool fractional) {
    const double y = (i * 53 + frame * 2) % (height - kSpriteH);
    return fractional ? y + 0.61 : y;
}

void BM_GameFrame(benchmark::State& state) {
    auto stage = std::make_shared<StageNode>(320, 480);
    stage->addChild(pictureNode(opaquePicture(320, 480)));
    auto mole = softSprite();
    auto picture = Surface::create(50, 50, true, 0);
    cairo_t* cr = cairo_create(cairoOf(*picture));
    cairo_set_source_surface(cr, cairoOf(*mole), 12, 6);
    cairo_paint(cr);
    cairo_destroy(cr);
    picture->markDirty();
    for (int i = 0; i < 10; ++i) {
        auto node = pictureNode(picture);
        node->setX(20 + (i % 4) * 70);
        node->setY(100 + (i / 4) * 90);
        stage->addChild(node);
    }
    auto bar = std::make_shared<SceneNode>(NodeKind::Shape);
    bar->setX(128);
    bar->setY(20);
    stage->addChild(bar);
    int frame = 0;
    for (auto _ : state) {
        auto& g = bar->graphics();
        g.clear();
        g.beginFill(0x000000, 1);
        g.drawRect(0, 0, 64, 5);
        g.beginFill(0xFFFFFF, 1);
        g.drawRect(1, 1, (frame++ % 62) + 1, 3);
        stage->render();
        benchmark::DoNotOptimize(stage->lastFrame().get());
    }
}
BENCHMARK(BM_GameFrame);

void BM_FrameCopy(benchmark::State& state) {
    std::vector<std::uint32_t> from(320 * 480, 0xFF336699), to(320 * 480);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy);

// Arguments: sprite count, stage width, stage height, fractional positions (0 or 1).
void spriteArgs(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000}) {
        for (auto [w, h] : {std::pair{320, 480}, std::pair{800, 600}}) {
            for (int frac : {0, 1}) b->Args({n, w, h, frac});
        }
    }
}

// state.range(4): drawing threads, 0 for as many as the machine has.
void BM_SpritesBackend(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool frac = state.range(3) != 0;
    limn::sdl::BandPool::shared().setThreads(static_cast<int>(state.range(4)));
    auto stage = std::make_shared<StageNode>(w, h);
    auto sprite = softSprite();
    std::vector<std::shared_ptr<SceneNode>> nodes;
    for (int i = 0; i < n; ++i) {
        nodes.push_back(pictureNode(sprite));
        stage->addChild(nodes.back());
    }
    int frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            nodes[i]->setX(spriteX(i, frame, w, frac));
            nodes[i]->setY(spriteY(i, frame, h, frac));
        }
        stage->render();
        ++frame;
    }
    limn::sdl::BandPool::shared().setThreads(0);
}
void spriteBackendArgs(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000}) {
        for (auto [w, h] : {std::pair{320, 480}, std::pair{800, 600}}) {
            for (int frac : {0, 1}) {
                for (int threads : {1, 0}) b->Args({n, w, h, frac, threads});
            }
        }
    }
}
// Wall time: a frame drawn on both cores takes less of it than of CPU time.
BENCHMARK(BM_SpritesBackend)
    ->Apply(spriteBackendArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_SpritesPixman(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool frac = state.range(3) != 0;
    auto target = Surface::create(w, h, false, 0xFFFFFFFF);
    auto sprite = softSprite();
    const pixman_color_t white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    const pixman_box32_t all{0, 0, w, h};
    int frame = 0;
    for (auto _ : state) {
        pixman_image_fill_boxes(PIXMAN_OP_SRC, pixmanOf(*target), &white, 1, &all);
        for (int i = 0; i < n; ++i) {
            const int x = static_cast<int>(std::ceil(spriteX(i, frame, w, frac) - 0.5));
            const int y = static_cast<int>(std::ceil(spriteY(i, frame, h, frac) - 0.5));
            pixman_image_composite32(PIXMAN_OP_OVER, pixmanOf(*sprite), nullptr, pixmanOf(*target),
                                     0, 0, 0, 0, x, y, kSpriteW, kSpriteH);
        }
        ++frame;
        benchmark::DoNotOptimize(target->row(0));
    }
}
BENCHMARK(BM_SpritesPixman)->Apply(spriteArgs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpritesSdlSoftware(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), w = static_cast<int>(state.range(1)),
              h = static_cast<int>(state.range(2));
    const bool frac = state.range(3) != 0;
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    auto sprite = softSprite();
    // SDL blends straight alpha: hand it the picture un-premultiplied.
    SDL_Surface* straight =
        SDL_CreateRGBSurfaceWithFormat(0, kSpriteW, kSpriteH, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < kSpriteH; ++y) {
        auto* to = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(straight->pixels) +
                                                    y * straight->pitch);
        for (int x = 0; x < kSpriteW; ++x) {
            const std::uint32_t p = sprite->row(y)[x], a = p >> 24;
            auto un = [a](std::uint32_t v) { return a ? std::min(255u, v * 255 / a) : 0u; };
            to[x] = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) |
                    un(p & 0xFF);
        }
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, straight);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    int frame = 0;
    for (auto _ : state) {
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_RenderClear(renderer);
        for (int i = 0; i < n; ++i) {
            const SDL_FRect dest{static_cast<float>(spriteX(i, frame, w, frac)),
                                 static_cast<float>(spriteY(i, frame, h, frac)), kSpriteW,
                                 kSpriteH};
            SDL_RenderCopyF(renderer, texture, nullptr, &dest);
        }
        SDL_RenderPresent(renderer);
        ++frame;
    }
    SDL_DestroyTexture(texture);
    SDL_FreeSurface(straight);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}
BENCHMARK(BM_SpritesSdlSoftware)->Apply(spriteArgs)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kHitSprites = 10000;

void BM_HitTest10k(benchmark::State& state) {
    auto stage = std::make_shared<StageNode>(800, 600);
    auto sprite = softSprite();
    for (int i = 0; i < kHitSprites; ++i) {
        auto holder = std::make_shared<SceneNode>(NodeKind::Container);
        auto node = pictureNode(sprite);
        holder->addChild(node);
        holder->setX(spriteX(i, 0, 800, false));
        holder->setY(spriteY(i, 0, 600, false));
        stage->addChild(holder);
    }
    limn::sdl::StageInput input(*stage);
    int k = 0;
    for (auto _ : state) {
        const double x = (k * 7919) % 800, y = (k * 104729) % 600;
        ++k;
        benchmark::DoNotOptimize(input.idAt(x, y));
    }
}
BENCHMARK(BM_HitTest10k)->Unit(benchmark::kMicrosecond);

void BM_BoxLoop10k(benchmark::State& state) {
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (int i = 0; i < kHitSprites; ++i) {
        const double x = spriteX(i, 0, 800, false), y = spriteY(i, 0, 600, false);
        boxes.push_back({x, y, x + kSpriteW, y + kSpriteH});
    }
    int k = 0;
    for (auto _ : state) {
        const double x = (k * 7919) % 800, y = (k * 104729) % 600;
        ++k;
        int found = -1;
        for (int i = kHitSprites - 1; i >= 0; --i) {
            const Box& b = boxes[i];
            if (x >= b.x0 && x < b.x1 && y >= b.y0 && y < b.y1) {
                found = i;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_BoxLoop10k)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<limn::bench::Ratio> ratios = {
        {"game frame / copying the frame once", "BM_GameFrame", "BM_FrameCopy"},
        {"hit test over 10k sprites / plain box loop", "BM_HitTest10k", "BM_BoxLoop10k"},
    };
    // Names built with snprintf: GCC 12 warns falsely on chains of string + at -O3.
    for (int n : {1000, 10000}) {
        for (const char* size : {"320/480", "800/600"}) {
            for (int frac : {0, 1}) {
                char args[32], what[64];
                std::snprintf(args, sizeof args, "/%d/%s/%d", n, size, frac);
                std::snprintf(what, sizeof what, "%d sprites %s %s", n, size,
                              frac ? "fractional" : "integer");
                const std::string base = std::string("BM_SpritesPixman") + args;
                ratios.push_back({std::string(what) + ": backend, 1 thread / pixman",
                                  std::string("BM_SpritesBackend") + args + "/1", base,
                                  frac ? 0.0 : 1.2});
                ratios.push_back({std::string(what) + ": backend, all cores / pixman",
                                  std::string("BM_SpritesBackend") + args + "/0", base,
                                  frac ? 0.0 : 0.7});
                ratios.push_back({std::string(what) + ": SDL software / pixman",
                                  std::string("BM_SpritesSdlSoftware") + args, base});
            }
        }
    }
    limn::bench::RatioReporter reporter(ratios);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
