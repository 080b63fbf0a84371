// What recording a session costs per frame. A frame like the game's (a poll
// reading the clock a dozen times, the 320 x 480 screen with a background
// picture, ten 50 x 50 pictures and a changing bar, rendered through the
// primitives) is measured live, then with a recording running (every input,
// clock reading and frame written and flushed to a file, with and without the
// frame checksum). The ratios to the live frame show the overhead against this
// deliberately cheap frame; the goal is 2 % of the 60 Hz frame period.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "RatioReporter.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/FrameCapture.h"
#include "backend/replay/Session.h"
#include "backend/stage/MainFrame.h"
#include "native/Primitive.h"
#include "runtime/Function.h"

namespace {

using limn::sdl::FillKind;
using limn::sdl::FillStyle;
using limn::sdl::MainFrame;
using limn::sdl::NodeKind;
using limn::sdl::SceneNode;
using limn::sdl::Session;
using limn::sdl::SessionOptions;
using limn::sdl::Surface;

const limn::native::Primitive timeStamp{"limn_time_stamp", 0};
const limn::native::Primitive renderStage{"limn_render_stage", 1};

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

// The main frame (offscreen) with the game-like scene and a handler that
// makes one frame per poll.
struct GameLikeFrame {
    std::unique_ptr<MainFrame> frame = std::make_unique<MainFrame>(320, 480, 0, "bench");
    std::shared_ptr<SceneNode> bar = std::make_shared<SceneNode>(NodeKind::Shape);
    int count = 0;

    GameLikeFrame() {
        auto stage = frame->stage();
        stage->addChild(pictureNode(Surface::create(320, 480, false, 0xFF3080C0)));
        auto picture = Surface::create(50, 50, true, 0x80C06020);
        for (int i = 0; i < 10; ++i) {
            auto node = pictureNode(picture);
            node->setX(20 + (i % 4) * 70);
            node->setY(100 + (i / 4) * 90);
            stage->addChild(node);
        }
        bar->setX(128);
        bar->setY(20);
        stage->addChild(bar);
        rt::Dynamic handle = stage;
        stage->setHandler(rt::function([this, handle](rt::Dynamic) {
            double t = 0;
            for (int i = 0; i < 12; ++i) t += timeStamp().asFloat();
            benchmark::DoNotOptimize(t);
            auto& g = bar->graphics();
            g.clear();
            g.beginFill(0x000000, 1);
            g.drawRect(0, 0, 64, 5);
            g.beginFill(0xFFFFFF, 1);
            g.drawRect(1, 1, (count++ % 62) + 1, 3);
            renderStage(handle);
        }));
    }
};

void runFrames(benchmark::State& state, GameLikeFrame& game) {
    for (auto _ : state) game.frame->input().poll();
}

void BM_FrameLive(benchmark::State& state) {
    limn::sdl::registerModule();
    GameLikeFrame game;
    runFrames(state, game);
}
BENCHMARK(BM_FrameLive)->Unit(benchmark::kMicrosecond);

void recorded(benchmark::State& state, bool checksums) {
    SessionOptions options;
    options.path = (std::filesystem::temp_directory_path() / "limn-bench.limnrec").string();
    options.checksums = checksums;
    Session::record(options);
    limn::sdl::registerModule();
    {
        GameLikeFrame game;
        Session::active()->frameOpened(*game.frame, 0, "bench");
        runFrames(state, game);
        (void)Session::end();
    }
    limn::sdl::registerModule();
    std::filesystem::remove(options.path);
}

void BM_FrameRecorded(benchmark::State& state) {
    recorded(state, true);
}
BENCHMARK(BM_FrameRecorded)->Unit(benchmark::kMicrosecond);

void BM_FrameRecordedNoChecksum(benchmark::State& state) {
    recorded(state, false);
}
BENCHMARK(BM_FrameRecordedNoChecksum)->Unit(benchmark::kMicrosecond);

// The checksum a recording keeps of a frame (one row in eight), against
// copying the whole frame once (the floor of touching every pixel).
void BM_FrameChecksum(benchmark::State& state) {
    auto frame = Surface::create(320, 480, false, 0xFF336699);
    std::int64_t n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(limn::sdl::recordedChecksum(*frame, ++n));
}
BENCHMARK(BM_FrameChecksum)->Unit(benchmark::kMicrosecond);

void BM_FrameCopy(benchmark::State& state) {
    auto from = Surface::create(320, 480, false, 0xFF336699);
    auto to = Surface::create(320, 480, false, 0);
    for (auto _ : state) {
        std::memcpy(to->row(0), from->row(0), static_cast<std::size_t>(from->stride()) * 480);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMicrosecond);

// The ratios, then what recording adds to a frame against the 60 Hz frame period.
class ReplayReporter : public limn::bench::RatioReporter {
public:
    using RatioReporter::RatioReporter;
    void Finalize() override {
        RatioReporter::Finalize();
        const double live = secondsOf("BM_FrameLive");
        const double recorded = secondsOf("BM_FrameRecorded");
        if (live <= 0 || recorded <= 0) return;
        const double added = recorded - live;
        std::printf("recording adds %.1f us to a frame: %.2f %% of a 60 Hz frame (goal 2 %%: %s)\n",
                    added * 1e6, 100 * added * 60, added * 60 <= 0.02 ? "met" : "NOT MET");
    }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    ReplayReporter reporter({
        {"frame recorded / live", "BM_FrameRecorded", "BM_FrameLive", 0},
        {"frame recorded without checksum / live", "BM_FrameRecordedNoChecksum", "BM_FrameLive", 0},
        {"frame checksum / frame copy", "BM_FrameChecksum", "BM_FrameCopy", 0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
