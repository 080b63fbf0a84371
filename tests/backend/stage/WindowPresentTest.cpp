// Frames shown through the window's own surface: after any run of partial
// presents the window holds exactly the frame. Needs an X display (CTest runs
// it under xvfb-run); skipped without one.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "backend/desktop/stage/SdlPlatform.h"
#include "backend/stage/MainFrame.h"

namespace limn::sdl {
namespace {

// Frame pixels that differ from the window's surface (alpha aside).
int differingPixels(const Surface& frame, const SDL_Surface& shown) {
    int differing = 0;
    for (int y = 0; y < frame.height(); ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(shown.pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * shown.pitch);
        for (int x = 0; x < frame.width(); ++x) {
            if ((row[x] ^ frame.row(y)[x]) & 0xFFFFFFu) ++differing;
        }
    }
    return differing;
}

// The real video driver while it lives; the one the tests run on after.
class RealVideo {
public:
    RealVideo() : saved_(std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "") {
        unsetenv("SDL_VIDEODRIVER");
    }
    ~RealVideo() {
        if (!saved_.empty()) setenv("SDL_VIDEODRIVER", saved_.c_str(), 1);
    }
    RealVideo(const RealVideo&) = delete;
    RealVideo& operator=(const RealVideo&) = delete;

private:
    std::string saved_;
};

TEST(WindowPresent, WindowSurfaceHoldsTheFrameAfterPartialPresents) {
    RealVideo video;
    unsetenv("LIMN_PRESENT");
    MainFrame frame(96, 64, 0, "present");
    SDL_Window* window = static_cast<SdlPlatform&>(frame.platform()).window();
    SDL_Surface* shown = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!shown || shown->w != 96 || shown->h != 64) {
        GTEST_SKIP() << "needs an X display showing a 96 x 64 window; run under xvfb-run";
    }
    StageNode& stage = *frame.stage();
    std::mt19937 rng(5);
    auto real = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    std::vector<std::shared_ptr<SceneNode>> nodes;
    for (int i = 0; i < 5; ++i) {
        auto n = std::make_shared<SceneNode>(NodeKind::Shape);
        n->graphics().beginFill(rng() & 0xFFFFFF, real(0.4, 1));
        n->graphics().drawRect(0, 0, real(3, 20), real(3, 12));
        n->graphics().endFill();
        stage.addChild(n);
        nodes.push_back(n);
    }
    int partial = 0;
    for (int step = 0; step < 60; ++step) {
        auto& n = nodes[rng() % nodes.size()];
        n->setX(real(-10, 100));
        n->setY(real(-10, 70));
        stage.render();
        if (stage.lastRedrawnPixels() < 96 * 64) ++partial;
        ASSERT_EQ(differingPixels(*stage.lastFrame(), *shown), 0) << "after step " << step;
    }
    EXPECT_GT(partial, 0) << "no frame was presented in part";
}

}  // namespace
}  // namespace limn::sdl
