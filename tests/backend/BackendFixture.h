#pragma once
// Fixture for tests of the real backend: registers module "limn" of the SDL
// backend (in place of the recording one) and runs offscreen.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "backend/image/Surface.h"
#include "backend/primitives/Primitives.h"
#include "backend/stage/StageNode.h"
#include "native/Primitive.h"
#include "runtime/Object.h"

namespace limn::sdl::testing {

class BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        registerModule();
    }

    // Calls a primitive of module "limn" by name.
    template <class... A>
    static rt::Dynamic call(const std::string& name, A&&... args) {
        native::Primitive p{name, static_cast<int>(sizeof...(A))};
        return p(std::forward<A>(args)...);
    }
    // Calls a primitive that takes a variable count of arguments.
    template <class... A>
    static rt::Dynamic callMany(const std::string& name, A&&... args) {
        native::Primitive p{name, native::kVariableArgs};
        return p(std::forward<A>(args)...);
    }

    // A managed stage of that size with a white background.
    static rt::Dynamic makeStage(int width, int height) {
        return call("limn_managed_stage_create", width, height);
    }
    static rt::Dynamic sprite() { return call("limn_create_display_object_container"); }
    static rt::Dynamic shape() { return call("limn_create_display_object"); }
    static void add(const rt::Dynamic& parent, const rt::Dynamic& child) {
        call("limn_doc_add_child", parent, child);
    }
    static void place(const rt::Dynamic& node, double x, double y) {
        call("limn_display_object_set_x", node, x);
        call("limn_display_object_set_y", node, y);
    }
    static rt::Dynamic graphics(const rt::Dynamic& node) {
        return call("limn_display_object_get_graphics", node);
    }
    static void fillRect(const rt::Dynamic& node, std::uint32_t rgb, double alpha, double x,
                         double y, double w, double h) {
        auto g = graphics(node);
        call("limn_gfx_begin_fill", g, static_cast<int>(rgb), alpha);
        call("limn_gfx_draw_rect", g, x, y, w, h);
        call("limn_gfx_end_fill", g);
    }
    static void fillCircle(const rt::Dynamic& node, std::uint32_t rgb, double alpha, double cx,
                           double cy, double radius) {
        auto g = graphics(node);
        call("limn_gfx_begin_fill", g, static_cast<int>(rgb), alpha);
        call("limn_gfx_draw_ellipse", g, cx, cy, radius, radius);
        call("limn_gfx_end_fill", g);
    }
    // A surface of one colour (straight 0xAARRGGBB).
    static rt::Dynamic bitmap(int w, int h, std::uint32_t argb) {
        return call("limn_bitmap_data_create", w, h, 3, static_cast<int>(argb & 0xFFFFFF),
                    static_cast<int>(argb >> 24));
    }
    // A display object showing the surface the way Bitmap does.
    static rt::Dynamic bitmapObject(const rt::Dynamic& surface, bool smooth = false) {
        auto node = shape();
        auto g = graphics(node);
        call("limn_gfx_begin_bitmap_fill", g, surface, nullptr, false, smooth);
        call("limn_gfx_draw_rect", g, 0.0, 0.0, call("limn_bitmap_data_width", surface),
             call("limn_bitmap_data_height", surface));
        call("limn_gfx_end_fill", g);
        return node;
    }

    static void render(const rt::Dynamic& stage) { call("limn_render_stage", stage); }
    // The straight 0xAARRGGBB pixel at (x, y) of the last rendered frame.
    static std::uint32_t pixel(const rt::Dynamic& stage, int x, int y) {
        auto frame = StageNode::from(stage)->lastFrame();
        if (!frame || x < 0 || y < 0 || x >= frame->width() || y >= frame->height()) return 0;
        frame->flush();
        const std::uint32_t p = frame->row(y)[x];
        const std::uint32_t a = p >> 24;
        if (a == 0) return 0;
        auto un = [a](std::uint32_t v) {
            return std::min<std::uint32_t>(255, (v * 255 + a / 2) / a);
        };
        return (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
    }
};

// Whether two colours match channel by channel within `tolerance`.
inline ::testing::AssertionResult near(std::uint32_t actual, std::uint32_t expected,
                                       int tolerance = 3) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof text, "got 0x%08X, expected 0x%08X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace limn::sdl::testing
