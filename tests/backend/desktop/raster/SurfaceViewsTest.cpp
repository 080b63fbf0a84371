#include "backend/desktop/raster/SurfaceViews.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace limn::sdl {
namespace {

TEST(SurfaceViews, DrawnThroughCairoAndWrittenDirectlyAreTheSamePixels) {
    auto s = Surface::create(4, 3, true, 0);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->views(), nullptr);  // cheap until a view is asked for
    s->flush();                      // nothing to flush yet

    cairo_t* cr = cairo_create(cairoOf(*s));
    cairo_set_source_rgba(cr, 0, 0, 1, 1);
    cairo_rectangle(cr, 1, 1, 2, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    ASSERT_NE(s->views(), nullptr);
    s->flush();
    EXPECT_EQ(s->row(1)[1], 0xFF0000FFu);
    EXPECT_EQ(s->row(1)[0], 0u);

    // Written directly, then read back through pixman into another surface.
    s->row(0)[0] = 0xFF00FF00u;
    s->markDirty();
    auto copy = Surface::create(4, 3, true, 0);
    pixman_image_composite32(PIXMAN_OP_SRC, pixmanOf(*s), nullptr, pixmanOf(*copy), 0, 0, 0, 0, 0,
                             0, 4, 3);
    EXPECT_EQ(copy->row(0)[0], 0xFF00FF00u);
    EXPECT_EQ(copy->row(1)[2], 0xFF0000FFu);
}

TEST(SurfaceViews, AdoptsOnlyUsableImagesAndKeepsTheirPixels) {
    EXPECT_EQ(SurfaceViews::adopt(nullptr, true), nullptr);
    EXPECT_EQ(SurfaceViews::adopt(cairo_image_surface_create(CAIRO_FORMAT_A8, 4, 4), true),
              nullptr);
    EXPECT_EQ(SurfaceViews::adopt(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 4), true),
              nullptr);
    EXPECT_EQ(SurfaceViews::adopt(
                  cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Surface::kMaxSide + 1, 1), true),
              nullptr);

    // Odd width: cairo may pad rows; the surface reads them at cairo's stride.
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgba(cr, 1, 0, 0, 1);
    cairo_rectangle(cr, 2, 1, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    auto s = SurfaceViews::adopt(image, false);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->width(), 3);
    EXPECT_EQ(s->stride(), cairo_image_surface_get_stride(image));
    EXPECT_EQ(cairoOf(*s), image);  // the same pixels, not a copy
    EXPECT_EQ(s->row(1)[2], 0xFFFF0000u);
    EXPECT_EQ(s->row(0)[0], 0u);
}

TEST(SurfaceViews, ThreadsAskingAtOnceShareOneSetOfViews) {
    for (int round = 0; round < 20; ++round) {
        auto s = Surface::create(8, 8, true, 0);
        std::vector<SurfaceViews*> seen(4);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            threads.emplace_back([&, i] { seen[i] = &SurfaceViews::of(*s); });
        }
        for (auto& t : threads) t.join();
        for (SurfaceViews* v : seen) EXPECT_EQ(v, s->views());
    }
}

}  // namespace
}  // namespace limn::sdl
