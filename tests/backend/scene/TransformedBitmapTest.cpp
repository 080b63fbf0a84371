// A bitmap under a rotated, scaled, mirrored or fractional matrix is
// composited straight by pixman; it must match what cairo draws for the same
// drawing list.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>

#include "backend/scene/Renderer.h"
#include "backend/scene/SceneNode.h"

namespace limn::sdl {
namespace {

constexpr int kSide = 64;

// A picture with varied colour and soft alpha, so sampling differences show.
std::shared_ptr<Surface> picture() {
    auto s = Surface::create(13, 9, true, 0);
    for (int y = 0; y < s->height(); ++y) {
        for (int x = 0; x < s->width(); ++x) {
            const std::uint32_t a = 80 + (x * 13 + y * 7) % 176;
            const std::uint32_t r = (x * 19) % 256 * a / 255, g = (y * 29) % 256 * a / 255;
            s->row(y)[x] = a << 24 | r << 16 | g << 8 | (a / 2);
        }
    }
    s->markDirty();
    return s;
}

std::shared_ptr<SceneNode> bitmapNode(const std::shared_ptr<Surface>& bits, bool smooth) {
    auto node = std::make_shared<SceneNode>(NodeKind::Shape);
    FillStyle fill;
    fill.kind = FillKind::Bitmap;
    fill.bitmap = bits;
    fill.smooth = smooth;
    fill.repeat = false;
    node->graphics().beginFill(fill);
    node->graphics().drawRect(0, 0, bits->width(), bits->height());
    node->graphics().endFill();
    return node;
}

struct Difference {
    int inner = 0;  // largest channel difference away from the picture's edges
    int edge = 0;   // largest channel difference anywhere
};

// Compares the fast path with the canvas drawing the same list under matrix m.
Difference compare(const Affine& m, bool smooth, double alpha) {
    auto bits = picture();
    auto node = bitmapNode(bits, smooth);
    node->setAlpha(alpha);
    auto fast = Surface::create(kSide, kSide, true, 0);
    RenderOptions options;
    options.base = m;
    options.applyRootTransform = false;
    Renderer::render(*node, *fast, options);

    auto slow = Surface::create(kSide, kSide, true, 0);
    {
        const auto canvas = openCanvas(*slow);
        canvas->setTransform(m);
        RenderState state{m, ColorXf{1, 1, 1, alpha}, Bounds::of(0, 0, kSide, kSide), true};
        node->graphics().draw(*canvas, state);
        canvas->flush();
    }

    const Affine inv = m.inverse();
    Difference d;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const double u = inv.mapX(x + 0.5, y + 0.5), v = inv.mapY(x + 0.5, y + 0.5);
            const bool inner =
                u > 1.5 && v > 1.5 && u < bits->width() - 1.5 && v < bits->height() - 1.5;
            for (int shift = 0; shift < 32; shift += 8) {
                const int a = static_cast<int>((fast->row(y)[x] >> shift) & 0xFF);
                const int b = static_cast<int>((slow->row(y)[x] >> shift) & 0xFF);
                d.edge = std::max(d.edge, std::abs(a - b));
                if (inner) d.inner = std::max(d.inner, std::abs(a - b));
            }
        }
    }
    return d;
}

Affine placed(double x, double y, double sx, double sy, double degrees) {
    const double r = degrees * std::numbers::pi / 180;
    return {std::cos(r) * sx, std::sin(r) * sx, -std::sin(r) * sy, std::cos(r) * sy, x, y};
}

// Nearest sampling at a point exactly between two source pixels may take
// either one; the scales here avoid such ties.
TEST(TransformedBitmap, MatchesCairoUnderRotationScaleMirrorAndFractionalOffsets) {
    const Affine cases[] = {
        placed(30.3, 20.6, 1.5, 1.5, 30), placed(10.5, 12.25, 0.5, 0.7, 0),
        placed(40.2, 10.9, -1, 1, 0),     placed(20.7, 50.1, 2, -1.3, -75),
        placed(5.37, 7.61, 1, 1, 0),      placed(33, 33, 1.6, 1.6, 0),
    };
    for (const Affine& m : cases) {
        for (bool smooth : {true, false}) {
            for (double alpha : {1.0, 0.6}) {
                const Difference d = compare(m, smooth, alpha);
                SCOPED_TRACE(::testing::Message()
                             << "matrix " << m.a << " " << m.b << " " << m.c << " " << m.d << " "
                             << m.tx << " " << m.ty << " smooth " << smooth << " alpha " << alpha);
                // Inside the picture the samples agree; along its edges cairo
                // also weighs in the rectangle's coverage.
                EXPECT_LE(d.inner, 2);
                EXPECT_LE(d.edge, 120);
            }
        }
    }
}

}  // namespace
}  // namespace limn::sdl
