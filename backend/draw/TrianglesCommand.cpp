#include "backend/draw/TrianglesCommand.h"

#include <cmath>

namespace limn::sdl {

TrianglesCommand::TrianglesCommand(std::vector<double> vertices, const std::vector<double>& indices,
                                   std::vector<double> uvt, int culling)
    : vertices_(std::move(vertices)), uvt_(std::move(uvt)), culling_(culling) {
    const std::size_t count = vertices_.size() / 2;
    if (count > 0 && uvt_.size() >= 3 * count) {
        uvtStride_ = uvt_.size() == 3 * count ? 3 : 2;
    } else if (count > 0 && uvt_.size() >= 2 * count) {
        uvtStride_ = 2;
    }
    auto usable = [&](double index) {
        return std::isfinite(index) && index >= 0 && index < static_cast<double>(count) &&
               std::isfinite(x(static_cast<std::size_t>(index))) &&
               std::isfinite(y(static_cast<std::size_t>(index)));
    };
    auto add = [&](double a, double b, double c) {
        if (!usable(a) || !usable(b) || !usable(c)) return;
        const Triangle t{static_cast<std::size_t>(a), static_cast<std::size_t>(b),
                         static_cast<std::size_t>(c)};
        triangles_.push_back(t);
        for (std::size_t v : t) bounds_.add(x(v), y(v));
    };
    if (indices.empty()) {
        for (std::size_t v = 0; v + 2 < count; v += 3) add(double(v), double(v + 1), double(v + 2));
    } else {
        for (std::size_t i = 0; i + 2 < indices.size(); i += 3)
            add(indices[i], indices[i + 1], indices[i + 2]);
    }
}

bool TrianglesCommand::culled(const Triangle& t, const Affine& m) const {
    if (culling_ == 0) return false;
    const double x0 = m.mapX(x(t[0]), y(t[0])), y0 = m.mapY(x(t[0]), y(t[0]));
    const double x1 = m.mapX(x(t[1]), y(t[1])), y1 = m.mapY(x(t[1]), y(t[1]));
    const double x2 = m.mapX(x(t[2]), y(t[2])), y2 = m.mapY(x(t[2]), y(t[2]));
    // With y pointing down, a positive cross product means clockwise on screen.
    const double cross = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
    return culling_ > 0 ? cross > 0 : cross < 0;
}

void TrianglesCommand::path(CanvasPath& into, const Triangle& t) const {
    into.moveTo(x(t[0]), y(t[0]));
    into.lineTo(x(t[1]), y(t[1]));
    into.lineTo(x(t[2]), y(t[2]));
    into.close();
}

void TrianglesCommand::drawMapped(Canvas& canvas, const FillStyle& fill, const RenderState& state,
                                  const Triangle& t) {
    const double w = fill.bitmap->width();
    const double h = fill.bitmap->height();
    double u[3], v[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = uvt_[t[k] * uvtStride_] * w;
        v[k] = uvt_[t[k] * uvtStride_ + 1] * h;
    }
    // The affine map taking the bitmap's (u, v) corners onto the triangle's corners.
    const Affine fromBitmap{u[1] - u[0], v[1] - v[0], u[2] - u[0], v[2] - v[0], u[0], v[0]};
    const double det = fromBitmap.determinant();
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return;
    const Affine toTriangle{x(t[1]) - x(t[0]), y(t[1]) - y(t[0]), x(t[2]) - x(t[0]),
                            y(t[2]) - y(t[0]), x(t[0]),           y(t[0])};
    FillStyle mapped = fill;
    mapped.matrix = toTriangle * fromBitmap.inverse();
    CanvasPath one;
    path(one, t);
    fillPath(canvas, one, FillRule::EvenOdd, mapped, state, cache_);
}

void TrianglesCommand::draw(Canvas& canvas, const FillStyle& fill, const RenderState& state) {
    if (fill.kind == FillKind::None) return;
    const bool mapped = fill.kind == FillKind::Bitmap && fill.bitmap && uvtStride_ > 0;
    CanvasPath all;
    for (const Triangle& t : triangles_) {
        if (culled(t, state.matrix)) continue;
        if (mapped) {
            drawMapped(canvas, fill, state, t);
        } else {
            path(all, t);
        }
    }
    if (!mapped) fillPath(canvas, all, FillRule::EvenOdd, fill, state, cache_);
}

bool TrianglesCommand::hit(double px, double py) const {
    for (const Triangle& t : triangles_) {
        const double d1 =
            (px - x(t[1])) * (y(t[0]) - y(t[1])) - (x(t[0]) - x(t[1])) * (py - y(t[1]));
        const double d2 =
            (px - x(t[2])) * (y(t[1]) - y(t[2])) - (x(t[1]) - x(t[2])) * (py - y(t[2]));
        const double d3 =
            (px - x(t[0])) * (y(t[2]) - y(t[0])) - (x(t[2]) - x(t[0])) * (py - y(t[0]));
        const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
        const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
        if (!(negative && positive)) return true;
    }
    return false;
}

}  // namespace limn::sdl
