#include "backend/desktop/raster/OverBlend.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <random>
#include <vector>

namespace limn::sdl {
namespace {

// A pixel with premultiplied channels, or now and then any bytes at all.
std::uint32_t anyPixel(std::mt19937& rng) {
    const std::uint32_t a = rng() % 4 == 0 ? (rng() % 2) * 255 : rng() % 256;
    if (rng() % 16 == 0) return rng();
    std::uint32_t p = a << 24;
    for (int shift = 0; shift < 24; shift += 8) p |= (rng() % (a + 1)) << shift;
    return p;
}

// Blocks of every width and offset against pixman's OVER on the same pixels.
TEST(OverBlend, BlendsToTheBitAsPixman) {
    std::mt19937 rng(5);
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 6);
        const int stride = w + static_cast<int>(rng() % 3);
        std::vector<std::uint32_t> source(static_cast<std::size_t>(stride) * h);
        std::vector<std::uint32_t> target(source.size()), expected(source.size());
        for (auto& p : source) p = anyPixel(rng);
        for (std::size_t i = 0; i < target.size(); ++i) expected[i] = target[i] = anyPixel(rng);
        const int bytes = stride * 4;
        pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, source.data(), bytes);
        pixman_image_t* d = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, expected.data(), bytes);
        pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, w, h);
        pixman_image_unref(s);
        pixman_image_unref(d);
        if (!blendOver(source.data(), bytes, target.data(), bytes, w, h)) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y) * stride + x;
                    target[i] = blendOverPixel(source[i], target[i]);
                }
            }
        }
        ASSERT_EQ(target, expected) << "round " << round << ", " << w << " x " << h;
    }
}

}  // namespace
}  // namespace limn::sdl
