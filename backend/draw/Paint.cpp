#include "backend/draw/Paint.h"

#include <algorithm>
#include <cmath>

namespace limn::sdl {

namespace {

constexpr double kGradientHalf = 819.2;

bool invertible(const Affine& m) {
    const double det = m.determinant();
    return det != 0 && std::isfinite(det);
}

Spread spreadOf(int spread) {
    switch (spread) {
        case 1:
            return Spread::Repeat;
        case 2:
            return Spread::Reflect;
        default:
            return Spread::Pad;
    }
}

Rgba through(std::uint32_t rgb, double alpha, const ColorXf& c) {
    return {c.red(((rgb >> 16) & 0xFF) / 255.0), c.green(((rgb >> 8) & 0xFF) / 255.0),
            c.blue((rgb & 0xFF) / 255.0), c.alpha(alpha)};
}

void fillGradient(Canvas& canvas, const CanvasPath& path, FillRule rule, const FillStyle& fill,
                  const ColorXf& c) {
    if (!invertible(fill.matrix) || !fill.gradient) return;
    const GradientStyle& style = *fill.gradient;
    CanvasGradient g;
    g.radial = style.radial;
    if (style.radial) {
        g.x0 = std::clamp(style.focal, -1.0, 1.0) * kGradientHalf;
        g.r1 = kGradientHalf;
    } else {
        g.x0 = -kGradientHalf;
        g.x1 = kGradientHalf;
    }
    g.stops.reserve(style.stops.size());
    for (const GradientStop& s : style.stops)
        g.stops.push_back({std::clamp(s.offset, 0.0, 1.0), through(s.rgb, s.alpha, c)});
    g.spread = spreadOf(style.spread);
    g.matrix = fill.matrix;
    canvas.fill(path, CanvasPaint::of(g), rule);
}

Surface* tintedSource(const FillStyle& fill, const ColorXf& color, FillCache& cache) {
    Surface* source = fill.bitmap.get();
    if (color.isAlphaOnly()) return source;
    const bool fresh =
        cache.tinted && cache.source == source && cache.version == source->version() &&
        cache.color.rm == color.rm && cache.color.gm == color.gm && cache.color.bm == color.bm &&
        cache.color.am == color.am && cache.color.ro == color.ro && cache.color.go == color.go &&
        cache.color.bo == color.bo && cache.color.ao == color.ao;
    if (!fresh) {
        cache.tinted = tintedCopy(*source, color);
        cache.source = source;
        cache.version = source->version();
        cache.color = color;
    }
    return cache.tinted.get();
}

void fillBitmap(Canvas& canvas, const CanvasPath& path, FillRule rule, const FillStyle& fill,
                const RenderState& state, FillCache& cache) {
    Surface* picture = tintedSource(fill, state.color, cache);
    if (!picture || !invertible(fill.matrix)) return;
    const CanvasPattern pattern{picture, fill.repeat, fill.smooth && state.quality, fill.matrix};
    const double alpha = state.color.isAlphaOnly() ? std::clamp(state.color.am, 0.0, 1.0) : 1.0;
    canvas.fill(path, CanvasPaint::of(pattern, alpha), rule);
}

}  // namespace

std::shared_ptr<Surface> tintedCopy(Surface& source, const ColorXf& c) {
    auto out = Surface::create(source.width(), source.height(), true, 0);
    if (!out) return nullptr;
    auto channel = [](std::uint32_t v, std::uint32_t a, double m, double o) -> double {
        const double straight = a ? v * 255.0 / a : 0.0;
        return std::clamp(straight * m + o, 0.0, 255.0);
    };
    for (int y = 0; y < source.height(); ++y) {
        const std::uint32_t* in = source.row(y);
        std::uint32_t* to = out->row(y);
        for (int x = 0; x < source.width(); ++x) {
            const std::uint32_t p = in[x];
            const std::uint32_t a = p >> 24;
            const double na = std::clamp(a * c.am + c.ao, 0.0, 255.0);
            const double f = na / 255.0;
            const auto r =
                static_cast<std::uint32_t>(channel((p >> 16) & 0xFF, a, c.rm, c.ro) * f + 0.5);
            const auto g =
                static_cast<std::uint32_t>(channel((p >> 8) & 0xFF, a, c.gm, c.go) * f + 0.5);
            const auto b = static_cast<std::uint32_t>(channel(p & 0xFF, a, c.bm, c.bo) * f + 0.5);
            to[x] = (static_cast<std::uint32_t>(na + 0.5) << 24) | (r << 16) | (g << 8) | b;
        }
    }
    out->markDirty();
    return out;
}

StrokeStyle strokeStyleOf(const LineStyle& line) {
    static const LineCap caps[] = {LineCap::Round, LineCap::Butt, LineCap::Square};
    static const LineJoin joins[] = {LineJoin::Round, LineJoin::Miter, LineJoin::Bevel};
    // Values out of range (the framework passes unknown integers on) draw as round.
    const int cap = static_cast<int>(line.caps);
    const int join = static_cast<int>(line.joints);
    StrokeStyle style;
    style.cap = caps[cap >= 0 && cap < 3 ? cap : 0];
    style.join = joins[join >= 0 && join < 3 ? join : 0];
    style.miterLimit = line.miterLimit >= 1 ? line.miterLimit : 1;
    style.width = line.thickness > 0 ? line.thickness : 1;
    return style;
}

void fillPath(Canvas& canvas, const CanvasPath& path, FillRule rule, const FillStyle& fill,
              const RenderState& state, FillCache& cache) {
    switch (fill.kind) {
        case FillKind::Solid:
            canvas.fill(path, CanvasPaint::solid(through(fill.rgb, fill.alpha, state.color)), rule);
            break;
        case FillKind::Gradient:
            fillGradient(canvas, path, rule, fill, state.color);
            break;
        case FillKind::Bitmap:
            if (fill.bitmap) fillBitmap(canvas, path, rule, fill, state, cache);
            break;
        case FillKind::None:
            break;
    }
}

void strokePath(Canvas& canvas, const CanvasPath& path, const LineStyle& line,
                const RenderState& state) {
    StrokeStyle style = strokeStyleOf(line);
    const Affine& m = state.matrix;
    using Scale = native::wire::LineScaleMode;
    if (line.thickness <= 0 || line.scaleMode == Scale::NONE) {
        style.deviceWidth = true;
        style.width = line.thickness > 0 ? line.thickness : 1;
    } else if (line.scaleMode == Scale::VERTICAL) {
        style.deviceWidth = true;
        style.width = line.thickness * std::hypot(m.c, m.d);
    } else if (line.scaleMode == Scale::HORIZONTAL) {
        style.deviceWidth = true;
        style.width = line.thickness * std::hypot(m.a, m.b);
    }
    canvas.stroke(path, CanvasPaint::solid(through(line.rgb, line.alpha, state.color)), style);
}

}  // namespace limn::sdl
