#pragma once
// Reading rendered pixels in tests: where the ink is and how much of it.

#include <algorithm>
#include <cstdint>
#include <memory>

#include "backend/desktop/raster/SurfaceViews.h"
#include "backend/image/Surface.h"
#include "backend/scene/Renderer.h"
#include "backend/scene/SceneNode.h"

namespace limn::testing {

struct Ink {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    [[nodiscard]] bool any() const { return count > 0; }
};

// Pixels whose alpha is at least `threshold`.
inline Ink inkOf(sdl::Surface& surface, int threshold = 64) {
    surface.flush();
    Ink ink;
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            if (static_cast<int>(row[x] >> 24) < threshold) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// Renders `node` (at its own position) into a new transparent surface.
inline std::shared_ptr<sdl::Surface> render(sdl::SceneNode& node, int width, int height) {
    auto surface = sdl::Surface::create(width, height, true, 0x00000000);
    sdl::Renderer::render(node, *surface, sdl::RenderOptions{});
    surface->flush();
    return surface;
}

// Straight 0xAARRGGBB of a premultiplied pixel.
inline std::uint32_t straight(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto channel = [&](int shift) {
        return std::min(255u, (((p >> shift) & 0xFF) * 255 + a / 2) / a);
    };
    return a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

}  // namespace limn::testing
