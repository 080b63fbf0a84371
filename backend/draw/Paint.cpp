#include "backend/draw/Paint.h"

#include <algorithm>
#include <cmath>

namespace limn::sdl {

namespace {

constexpr double kGradientHalf = 819.2;

bool setPatternMatrix(cairo_pattern_t* pattern, const Affine& m) {
    const double det = m.determinant();
    if (det == 0 || !std::isfinite(det)) return false;
    const Affine inv = m.inverse();
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, inv.a, inv.b, inv.c, inv.d, inv.tx, inv.ty);
    cairo_pattern_set_matrix(pattern, &cm);
    return true;
}

cairo_extend_t spreadExtend(int spread) {
    switch (spread) {
        case 1:
            return CAIRO_EXTEND_REPEAT;
        case 2:
            return CAIRO_EXTEND_REFLECT;
        default:
            return CAIRO_EXTEND_PAD;
    }
}

void setSolid(cairo_t* cr, std::uint32_t rgb, double alpha, const ColorXf& c) {
    cairo_set_source_rgba(cr, c.red(((rgb >> 16) & 0xFF) / 255.0),
                          c.green(((rgb >> 8) & 0xFF) / 255.0), c.blue((rgb & 0xFF) / 255.0),
                          c.alpha(alpha));
}

void fillGradient(cairo_t* cr, const FillStyle& fill, const ColorXf& c) {
    cairo_pattern_t* p =
        fill.radial ? cairo_pattern_create_radial(std::clamp(fill.focal, -1.0, 1.0) * kGradientHalf,
                                                  0, 0, 0, 0, kGradientHalf)
                    : cairo_pattern_create_linear(-kGradientHalf, 0, kGradientHalf, 0);
    for (const GradientStop& s : fill.stops) {
        cairo_pattern_add_color_stop_rgba(p, std::clamp(s.offset, 0.0, 1.0),
                                          c.red(((s.rgb >> 16) & 0xFF) / 255.0),
                                          c.green(((s.rgb >> 8) & 0xFF) / 255.0),
                                          c.blue((s.rgb & 0xFF) / 255.0), c.alpha(s.alpha));
    }
    cairo_pattern_set_extend(p, spreadExtend(fill.spread));
    if (setPatternMatrix(p, fill.matrix)) {
        cairo_set_source(cr, p);
        cairo_fill(cr);
    } else {
        cairo_new_path(cr);
    }
    cairo_pattern_destroy(p);
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

void fillBitmap(cairo_t* cr, const FillStyle& fill, const RenderState& state, FillCache& cache) {
    Surface* picture = tintedSource(fill, state.color, cache);
    if (!picture) {
        cairo_new_path(cr);
        return;
    }
    cairo_pattern_t* p = cairo_pattern_create_for_surface(picture->cairo());
    cairo_pattern_set_extend(p, fill.repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_NONE);
    cairo_pattern_set_filter(
        p, fill.smooth && state.quality ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    if (!setPatternMatrix(p, fill.matrix)) {
        cairo_new_path(cr);
        cairo_pattern_destroy(p);
        return;
    }
    cairo_set_source(cr, p);
    const double alpha = state.color.isAlphaOnly() ? std::clamp(state.color.am, 0.0, 1.0) : 1.0;
    if (alpha < 1) {
        cairo_save(cr);
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_pattern_destroy(p);
}

}  // namespace

std::shared_ptr<Surface> tintedCopy(Surface& source, const ColorXf& c) {
    auto out = Surface::create(source.width(), source.height(), true, 0);
    if (!out) return nullptr;
    cairo_surface_flush(source.cairo());
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

void applyLine(cairo_t* cr, const LineStyle& line) {
    static const cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_BUTT,
                                            CAIRO_LINE_CAP_SQUARE};
    static const cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_JOIN_MITER,
                                              CAIRO_LINE_JOIN_BEVEL};
    // Values out of range (the framework passes unknown integers on) draw as round.
    const int cap = static_cast<int>(line.caps);
    const int join = static_cast<int>(line.joints);
    cairo_set_line_cap(cr, caps[cap >= 0 && cap < 3 ? cap : 0]);
    cairo_set_line_join(cr, joins[join >= 0 && join < 3 ? join : 0]);
    cairo_set_miter_limit(cr, line.miterLimit >= 1 ? line.miterLimit : 1);
    cairo_set_line_width(cr, line.thickness > 0 ? line.thickness : 1);
}

void fillPath(cairo_t* cr, const FillStyle& fill, const RenderState& state, FillCache& cache) {
    switch (fill.kind) {
        case FillKind::Solid:
            setSolid(cr, fill.rgb, fill.alpha, state.color);
            cairo_fill(cr);
            break;
        case FillKind::Gradient:
            fillGradient(cr, fill, state.color);
            break;
        case FillKind::Bitmap:
            if (fill.bitmap) {
                fillBitmap(cr, fill, state, cache);
            } else {
                cairo_new_path(cr);
            }
            break;
        case FillKind::None:
            cairo_new_path(cr);
            break;
    }
}

void strokePath(cairo_t* cr, const LineStyle& line, const RenderState& state) {
    applyLine(cr, line);
    setSolid(cr, line.rgb, line.alpha, state.color);
    const Affine& m = state.matrix;
    double deviceWidth = -1;
    using Scale = native::wire::LineScaleMode;
    if (line.thickness <= 0 || line.scaleMode == Scale::NONE) {
        deviceWidth = line.thickness > 0 ? line.thickness : 1;
    } else if (line.scaleMode == Scale::VERTICAL) {
        deviceWidth = line.thickness * std::hypot(m.c, m.d);
    } else if (line.scaleMode == Scale::HORIZONTAL) {
        deviceWidth = line.thickness * std::hypot(m.a, m.b);
    }
    if (deviceWidth < 0) {
        cairo_stroke(cr);
        return;
    }
    // The path is already in device space; the pen follows the identity matrix.
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_line_width(cr, deviceWidth);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace limn::sdl
