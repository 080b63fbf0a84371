// The page the canvas test drives: one scene drawn through the page's Canvas
// (backend/web/raster/WebCanvas.h) on the first frame, and the path geometry's
// answers printed ("canvas: ..."); tests/web/check-canvas.js reads the pixels.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "backend/web/PageShell.h"
#include "backend/web/raster/WebCanvas.h"
#include "backend/web/raster/WebPictures.h"

using namespace limn::sdl;
using limn::web::raster::WebCanvas;

#ifndef LIMN_WEB_SURFACES
// Surfaces are not built for the page yet: this probe draws none.
namespace limn::web::raster {
PictureRef pictureOf(const sdl::Surface&) {
    return {};
}
}  // namespace limn::web::raster
#endif

namespace {

CanvasPath box(double x, double y, double w, double h) {
    CanvasPath path;
    path.rect(x, y, w, h);
    return path;
}

void drawScene(WebCanvas& canvas, double s) {
    const Affine scaled{s, 0, 0, s, 0, 0};
    canvas.setTransform({});
    canvas.fill(box(0, 0, canvas.width(), canvas.height()),
                CanvasPaint::solid({0x20 / 255.0, 0x30 / 255.0, 0x40 / 255.0, 1}),
                FillRule::Winding);
    canvas.setTransform(scaled);

    // A repeated linear gradient: black to white every 20 pixels from x = 10.
    CanvasGradient stripes;
    stripes.x0 = 0;
    stripes.x1 = 1;
    stripes.stops = {{0, {0, 0, 0, 1}}, {1, {1, 1, 1, 1}}};
    stripes.spread = Spread::Repeat;
    stripes.matrix = {20, 0, 0, 1, 10, 0};
    canvas.fill(box(10, 10, 100, 20), CanvasPaint::of(stripes), FillRule::Winding);
    stripes.spread = Spread::Reflect;
    canvas.fill(box(10, 40, 100, 20), CanvasPaint::of(stripes), FillRule::Winding);

    // A clip kept across a layer that starts inside it and a save that ends in it.
    canvas.save();
    canvas.clipRect(10, 80, 50, 50);
    canvas.beginLayer();
    canvas.save();
    canvas.clipRect(30, 80, 50, 50);
    canvas.fill(box(0, 70, 100, 70), CanvasPaint::solid({1, 0, 0, 1}), FillRule::Winding);
    canvas.restore();
    canvas.fill(box(0, 120, 100, 20), CanvasPaint::solid({0, 1, 0, 1}), FillRule::Winding);
    canvas.endLayer(BlendMode::NORMAL, 0.5);
    canvas.restore();
    canvas.fill(box(70, 80, 10, 10), CanvasPaint::solid({1, 1, 1, 1}), FillRule::Winding);

    // A masked layer: blue content through a circle-ish mask (even-odd ring).
    canvas.beginLayer();
    canvas.fill(box(120, 80, 60, 60), CanvasPaint::solid({0, 0, 1, 1}), FillRule::Winding);
    canvas.beginLayer();
    CanvasPath ring = box(120, 80, 60, 60);
    ring.rect(135, 95, 30, 30);
    canvas.fill(ring, CanvasPaint::solid({0, 0, 0, 1}), FillRule::EvenOdd);
    canvas.endMaskedLayer(BlendMode::NORMAL);

    // A filtered layer: the filter inverts a box; nothing outside the box stays.
    canvas.beginLayer();
    canvas.fill(box(200, 80, 60, 60), CanvasPaint::solid({1, 1, 0, 1}), FillRule::Winding);
    canvas.filterLayer(static_cast<int>(210 * s), static_cast<int>(90 * s),
                       static_cast<int>(20 * s), static_cast<int>(20 * s),
                       [](std::vector<std::uint32_t>& pixels, int, int) {
                           for (auto& p : pixels) p = (p & 0xFF000000u) | (~p & 0x00FFFFFFu);
                       });
    canvas.endLayer(BlendMode::NORMAL, 1);

    // A stroke whose pen is in device pixels (4 wide at any scale).
    CanvasPath line;
    line.moveTo(10, 160);
    line.lineTo(110, 160);
    StrokeStyle pen;
    pen.width = 4;
    pen.deviceWidth = true;
    canvas.stroke(line, CanvasPaint::solid({1, 1, 1, 1}), pen);
    // The same path drawn twice reuses the page's copy.
    CanvasPath twice = box(120, 150, 20, 20);
    canvas.fill(twice, CanvasPaint::solid({1, 0, 1, 1}), FillRule::Winding);
    const int first = WebCanvas::pathHandle(twice);
    canvas.fill(twice, CanvasPaint::solid({1, 0, 1, 1}), FillRule::Winding);
    std::printf("canvas: path kept %d\n", first == WebCanvas::pathHandle(twice) ? 1 : 0);
    std::printf("canvas: clip %g %g %g %g\n", canvas.clipExtents().x0, canvas.clipExtents().y0,
                canvas.clipExtents().x1, canvas.clipExtents().y1);
}

// The extents of random cubic paths hold every point along them, and a point just
// inside the box's edges is on the curve (the box is tight).
void checkExtents() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-100, 100);
    int loose = 0;
    int outside = 0;
    for (int round = 0; round < 200; ++round) {
        CanvasPath path;
        double x = coordinate(random), y = coordinate(random);
        path.moveTo(x, y);
        Bounds sampled;
        sampled.add(x, y);
        for (int segment = 0; segment < 3; ++segment) {
            const double p[6] = {coordinate(random), coordinate(random), coordinate(random),
                                 coordinate(random), coordinate(random), coordinate(random)};
            path.curveTo(p[0], p[1], p[2], p[3], p[4], p[5]);
            for (int i = 0; i <= 2000; ++i) {
                const double t = i / 2000.0, u = 1 - t;
                sampled.add(
                    u * u * u * x + 3 * u * u * t * p[0] + 3 * u * t * t * p[2] + t * t * t * p[4],
                    u * u * u * y + 3 * u * u * t * p[1] + 3 * u * t * t * p[3] + t * t * t * p[5]);
            }
            x = p[4];
            y = p[5];
        }
        const Bounds box = pathExtents(path);
        if (sampled.x0 < box.x0 - 1e-9 || sampled.y0 < box.y0 - 1e-9 ||
            sampled.x1 > box.x1 + 1e-9 || sampled.y1 > box.y1 + 1e-9) {
            ++outside;
        }
        if (box.x0 < sampled.x0 - 0.01 || box.y0 < sampled.y0 - 0.01 ||
            box.x1 > sampled.x1 + 0.01 || box.y1 > sampled.y1 + 0.01) {
            ++loose;
        }
    }
    std::printf("canvas: extents outside %d loose %d\n", outside, loose);

    const CanvasPath square = box(0, 0, 10, 10);
    CanvasPath ring = square;
    ring.rect(2, 2, 6, 6);
    StrokeStyle pen;
    pen.width = 2;
    std::printf("canvas: contains %d %d %d %d %d %d\n",
                pathFillContains(square, FillRule::Winding, 5, 5) ? 1 : 0,
                pathFillContains(square, FillRule::Winding, 11, 5) ? 1 : 0,
                pathFillContains(ring, FillRule::EvenOdd, 5, 5) ? 1 : 0,
                pathFillContains(ring, FillRule::Winding, 5, 5) ? 1 : 0,
                pathStrokeContains(square, pen, 10.5, 5) ? 1 : 0,
                pathStrokeContains(square, pen, 5, 5) ? 1 : 0);
}

bool drawn = false;

void onFrame(double) {
    if (drawn) return;
    drawn = true;
    {
        auto canvas = WebCanvas::page();
        drawScene(*canvas, limn::web::PageShell::instance().pixelRatio());
    }
    checkExtents();
    std::printf("canvas: drew\n");
}

}  // namespace

int main() {
    limn::web::PageShell::instance().start([](const limn::native::EventRecord&) {}, onFrame);
    return 0;
}
