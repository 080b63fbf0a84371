// Path geometry for the shared scene code, measured as the page draws: extents in
// C++ (tight around curves), containment asked of the page's Canvas 2D.
#include <algorithm>
#include <cmath>

#include "backend/scene/Canvas.h"
#include "backend/web/raster/CanvasCalls.h"
#include "backend/web/raster/WebCanvas.h"

namespace limn::sdl {

namespace {

// Grows `box` by the extremes of a cubic's coordinate (p0..p3) between its ends.
void addCubicExtremes(double p0, double p1, double p2, double p3, double* lo, double* hi) {
    // The derivative's roots: a t^2 + b t + c = 0.
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    auto at = [&](double t) {
        const double u = 1 - t;
        return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
    };
    auto consider = [&](double t) {
        if (t > 0 && t < 1) {
            const double v = at(t);
            *lo = std::min(*lo, v);
            *hi = std::max(*hi, v);
        }
    };
    if (std::abs(a) < 1e-12) {
        if (std::abs(b) > 1e-12) consider(-c / b);
        return;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return;
    const double root = std::sqrt(disc);
    consider((-b + root) / (2 * a));
    consider((-b - root) / (2 * a));
}

}  // namespace

Bounds pathExtents(const CanvasPath& path) {
    Bounds box;
    const auto& p = path.points();
    std::size_t at = 0;
    double x = 0, y = 0;   // the current point
    bool pending = false;  // a move not yet followed by a segment
    for (const auto verb : path.verbs()) {
        switch (verb) {
            case CanvasPath::Verb::Move:
                x = p[at];
                y = p[at + 1];
                pending = true;
                at += 2;
                break;
            case CanvasPath::Verb::Line:
                if (pending) box.add(x, y);
                pending = false;
                x = p[at];
                y = p[at + 1];
                box.add(x, y);
                at += 2;
                break;
            case CanvasPath::Verb::Cubic: {
                if (pending) box.add(x, y);
                pending = false;
                box.add(x, y);
                box.add(p[at + 4], p[at + 5]);
                addCubicExtremes(x, p[at], p[at + 2], p[at + 4], &box.x0, &box.x1);
                addCubicExtremes(y, p[at + 1], p[at + 3], p[at + 5], &box.y0, &box.y1);
                x = p[at + 4];
                y = p[at + 5];
                at += 6;
                break;
            }
            case CanvasPath::Verb::Close:
                break;
            case CanvasPath::Verb::Rect:
                x = p[at];
                y = p[at + 1];
                box.add(x, y);
                box.add(x + p[at + 2], y + p[at + 3]);
                pending = false;
                at += 4;
                break;
        }
    }
    return box;
}

bool pathFillContains(const CanvasPath& path, FillRule rule, double x, double y) {
    if (path.empty()) return false;
    return limn_raster_path_contains(web::raster::WebCanvas::pathHandle(path),
                                     rule == FillRule::EvenOdd ? 1 : 0, x, y) != 0;
}

bool pathStrokeContains(const CanvasPath& path, const StrokeStyle& style, double x, double y) {
    if (path.empty() || !(style.width > 0)) return false;
    using web::raster::WebCanvas;
    return limn_raster_stroke_contains(
               WebCanvas::pathHandle(path), style.width, WebCanvas::wireCap(style.cap),
               WebCanvas::wireJoin(style.join), style.miterLimit, x, y) != 0;
}

}  // namespace limn::sdl
