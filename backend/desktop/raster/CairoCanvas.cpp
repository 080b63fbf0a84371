#include "backend/desktop/raster/CairoCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "backend/desktop/raster/OverBlend.h"

namespace limn::sdl {

namespace {

cairo_operator_t blendOperator(BlendMode mode) {
    switch (mode) {
        case BlendMode::MULTIPLY:
            return CAIRO_OPERATOR_MULTIPLY;
        case BlendMode::SCREEN:
            return CAIRO_OPERATOR_SCREEN;
        case BlendMode::LIGHTEN:
            return CAIRO_OPERATOR_LIGHTEN;
        case BlendMode::DARKEN:
            return CAIRO_OPERATOR_DARKEN;
        case BlendMode::DIFFERENCE:
            return CAIRO_OPERATOR_DIFFERENCE;
        case BlendMode::ADD:
            return CAIRO_OPERATOR_ADD;
        case BlendMode::SUBTRACT:
            return CAIRO_OPERATOR_DIFFERENCE;  // subtract: nearest cairo offers
        case BlendMode::INVERT:
            return CAIRO_OPERATOR_DIFFERENCE;  // invert: nearest cairo offers
        case BlendMode::ALPHA:
            return CAIRO_OPERATOR_DEST_IN;
        case BlendMode::ERASE:
            return CAIRO_OPERATOR_DEST_OUT;
        case BlendMode::OVERLAY:
            return CAIRO_OPERATOR_OVERLAY;
        case BlendMode::HARDLIGHT:
            return CAIRO_OPERATOR_HARD_LIGHT;
        default:
            return CAIRO_OPERATOR_OVER;
    }
}

cairo_extend_t extendOf(Spread spread) {
    switch (spread) {
        case Spread::Repeat:
            return CAIRO_EXTEND_REPEAT;
        case Spread::Reflect:
            return CAIRO_EXTEND_REFLECT;
        default:
            return CAIRO_EXTEND_PAD;
    }
}

cairo_matrix_t cairoMatrix(const Affine& m) {
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, m.a, m.b, m.c, m.d, m.tx, m.ty);
    return cm;
}

// Sets the pattern's matrix to the inverse of `m` (pattern space to user
// space); false when `m` can't be inverted.
bool placePattern(cairo_pattern_t* pattern, const Affine& m) {
    const double det = m.determinant();
    if (det == 0 || !std::isfinite(det)) return false;
    const cairo_matrix_t cm = cairoMatrix(m.inverse());
    cairo_pattern_set_matrix(pattern, &cm);
    return true;
}

// A path as cairo keeps it, made once for a path drawn on every frame.
struct CairoPath final : CanvasPath::Prepared {
    explicit CairoPath(cairo_path_t* p) : path(p) {}
    ~CairoPath() override { cairo_path_destroy(path); }
    CairoPath(const CairoPath&) = delete;
    CairoPath& operator=(const CairoPath&) = delete;
    cairo_path_t* path;
};

void appendPath(cairo_t* cr, const CanvasPath& path) {
    cairo_new_path(cr);
    // Only this backend prepares paths in a desktop program.
    if (const CanvasPath::Prepared* prepared = path.prepared()) {
        cairo_append_path(cr, static_cast<const CairoPath*>(prepared)->path);
        return;
    }
    const double* p = path.points().data();
    for (CanvasPath::Verb verb : path.verbs()) {
        switch (verb) {
            case CanvasPath::Verb::Move:
                cairo_move_to(cr, p[0], p[1]);
                p += 2;
                break;
            case CanvasPath::Verb::Line:
                cairo_line_to(cr, p[0], p[1]);
                p += 2;
                break;
            case CanvasPath::Verb::Cubic:
                cairo_curve_to(cr, p[0], p[1], p[2], p[3], p[4], p[5]);
                p += 6;
                break;
            case CanvasPath::Verb::Close:
                cairo_close_path(cr);
                break;
            case CanvasPath::Verb::Rect:
                cairo_rectangle(cr, p[0], p[1], p[2], p[3]);
                p += 4;
                break;
        }
    }
}

cairo_fill_rule_t fillRule(FillRule rule) {
    return rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING;
}

void applyStroke(cairo_t* cr, const StrokeStyle& style) {
    static const cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
                                            CAIRO_LINE_CAP_SQUARE};
    static const cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                              CAIRO_LINE_JOIN_BEVEL};
    cairo_set_line_cap(cr, caps[static_cast<int>(style.cap) % 3]);
    cairo_set_line_join(cr, joins[static_cast<int>(style.join) % 3]);
    cairo_set_miter_limit(cr, style.miterLimit);
    cairo_set_line_width(cr, style.width);
}

// A small context for measuring paths, on the shared code's thread.
cairo_t* scratch() {
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    static cairo_t* cr = cairo_create(surface);
    return cr;
}

// Paints the whole of `source` (inside the clip) with an operator and alpha.
void paintWith(cairo_t* cr, cairo_pattern_t* source, cairo_operator_t op, double alpha) {
    cairo_save(cr);
    cairo_set_operator(cr, op);
    cairo_set_source(cr, source);
    if (alpha < 1) {
        cairo_paint_with_alpha(cr, alpha);
    } else {
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

bool isWhole(double v) {
    return v == std::floor(v);
}

// Target pixels to a picture's under `matrix` (its pixels to the target's),
// as pixman samples the picture; false beyond pixman's fixed-point range. The
// transform works relative to the whole pixel nearest the picture's origin
// (the target pixels are offset by it): pixman's fixed point then stays
// precise across the picture.
bool samplingTransform(const Affine& matrix, pixman_transform_t& t) {
    Affine local = matrix;
    local.tx -= std::round(matrix.tx);
    local.ty -= std::round(matrix.ty);
    const Affine inv = local.inverse();
    pixman_f_transform ft{};
    ft.m[0][0] = inv.a;
    ft.m[0][1] = inv.c;
    ft.m[0][2] = inv.tx;
    ft.m[1][0] = inv.b;
    ft.m[1][1] = inv.d;
    ft.m[1][2] = inv.ty;
    ft.m[2][2] = 1;
    return pixman_transform_from_pixman_f_transform(&t, &ft) != 0;
}

}  // namespace

CairoCanvas::CairoCanvas(Surface& target, CanvasUse use)
    : target_(target),
      // Canvases that share a target leave its cairo surface alone.
      cr_(use == CanvasUse::Pictures ? nullptr : cairo_create(cairoOf(target))),
      band_(use != CanvasUse::Alone) {
    // Pictures are composited through a pixman image of the band's own over
    // the target's pixels, which other bands may be compositing into too.
    destination_ = band_ ? pixman_image_create_bits(PIXMAN_a8r8g8b8, target.width(),
                                                    target.height(), target.row(0), target.stride())
                         : pixmanOf(target);
}

CairoCanvas::~CairoCanvas() {
    for (auto& entry : samplers_) {
        if (entry.second) pixman_image_unref(entry.second);
    }
    if (band_ && destination_) pixman_image_unref(destination_);
    if (cr_) cairo_destroy(cr_);
}

cairo_t* CairoCanvas::contextOf(Canvas& canvas) {
    auto* cairo = dynamic_cast<CairoCanvas*>(&canvas);
    return cairo ? cairo->cr_ : nullptr;
}

void CairoCanvas::setTransform(const Affine& matrix) {
    const cairo_matrix_t cm = cairoMatrix(matrix);
    cairo_set_matrix(cr_, &cm);
}

Affine CairoCanvas::transform() const {
    cairo_matrix_t cm;
    cairo_get_matrix(cr_, &cm);
    return {cm.xx, cm.yx, cm.xy, cm.yy, cm.x0, cm.y0};
}

void CairoCanvas::clipRect(double x, double y, double w, double h) {
    cairo_new_path(cr_);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
}

void CairoCanvas::clipPath(const CanvasPath& path, FillRule rule) {
    appendPath(cr_, path);
    cairo_set_fill_rule(cr_, fillRule(rule));
    cairo_clip(cr_);
}

Bounds CairoCanvas::clipExtents() const {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_clip_extents(cr_, &x0, &y0, &x1, &y1);
    cairo_restore(cr_);
    return {x0, y0, x1, y1};
}

bool CairoCanvas::setSource(const CanvasPaint& paint) {
    switch (paint.kind) {
        case CanvasPaint::Kind::Solid: {
            const Rgba& c = paint.color;
            cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a * paint.alpha);
            return true;
        }
        case CanvasPaint::Kind::Gradient: {
            const CanvasGradient& g = *paint.gradient;
            cairo_pattern_t* p =
                g.radial ? cairo_pattern_create_radial(g.x0, g.y0, g.r0, g.x1, g.y1, g.r1)
                         : cairo_pattern_create_linear(g.x0, g.y0, g.x1, g.y1);
            for (const CanvasStop& s : g.stops) {
                cairo_pattern_add_color_stop_rgba(p, s.offset, s.color.r, s.color.g, s.color.b,
                                                  s.color.a * paint.alpha);
            }
            cairo_pattern_set_extend(p, extendOf(g.spread));
            const bool placed = placePattern(p, g.matrix);
            if (placed) cairo_set_source(cr_, p);
            cairo_pattern_destroy(p);
            return placed;
        }
        case CanvasPaint::Kind::Pattern: {
            const CanvasPattern& pattern = *paint.pattern;
            cairo_pattern_t* p = cairo_pattern_create_for_surface(cairoOf(*pattern.surface));
            cairo_pattern_set_extend(p, pattern.repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_NONE);
            cairo_pattern_set_filter(p,
                                     pattern.smooth ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
            const bool placed = placePattern(p, pattern.matrix);
            if (placed) cairo_set_source(cr_, p);
            cairo_pattern_destroy(p);
            return placed;
        }
    }
    return false;
}

void CairoCanvas::fill(const CanvasPath& path, const CanvasPaint& paint, FillRule rule) {
    if (!setSource(paint)) return;
    appendPath(cr_, path);
    cairo_set_fill_rule(cr_, fillRule(rule));
    if (paint.kind == CanvasPaint::Kind::Pattern && paint.alpha < 1) {
        cairo_save(cr_);
        cairo_clip(cr_);
        cairo_paint_with_alpha(cr_, paint.alpha);
        cairo_restore(cr_);
    } else {
        cairo_fill(cr_);
    }
}

void CairoCanvas::stroke(const CanvasPath& path, const CanvasPaint& paint,
                         const StrokeStyle& style) {
    if (!setSource(paint)) return;
    appendPath(cr_, path);
    applyStroke(cr_, style);
    if (!style.deviceWidth) {
        cairo_stroke(cr_);
        return;
    }
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_set_line_width(cr_, style.width);
    cairo_stroke(cr_);
    cairo_restore(cr_);
}

void CairoCanvas::drawSurface(const Surface& picture, const Affine& matrix, double alpha,
                              bool smooth) {
    cairo_pattern_t* p = cairo_pattern_create_for_surface(cairoOf(picture));
    if (!smooth) cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
    if (placePattern(p, matrix)) {
        cairo_save(cr_);
        cairo_identity_matrix(cr_);
        paintWith(cr_, p, CAIRO_OPERATOR_OVER, alpha);
        cairo_restore(cr_);
    }
    cairo_pattern_destroy(p);
}

bool CairoCanvas::blit(const Surface& picture, const Affine& matrix, double alpha, bool smooth,
                       const Bounds& area) {
    if (matrix.isTranslation() && isWhole(matrix.tx) && isWhole(matrix.ty)) {
        if (area.empty()) return true;
        const int x0 = static_cast<int>(area.x0), y0 = static_cast<int>(area.y0);
        const int x1 = static_cast<int>(area.x1), y1 = static_cast<int>(area.y1);
        const int tx = static_cast<int>(matrix.tx), ty = static_cast<int>(matrix.ty);
        if (alpha >= 1 && blendPlaced(picture, tx, ty, x0, y0, x1, y1)) return true;
        composite(pixmanOf(picture), alpha, x0 - tx, y0 - ty, x0, y0, x1 - x0, y1 - y0);
        return true;
    }
    const double ox = std::round(matrix.tx), oy = std::round(matrix.ty);
    pixman_transform_t t;
    // Beyond pixman's fixed-point range: cairo draws it.
    if (!samplingTransform(matrix, t)) return false;
    if (area.empty()) return true;
    const int x0 = static_cast<int>(std::floor(area.x0));
    const int y0 = static_cast<int>(std::floor(area.y0));
    const int x1 = static_cast<int>(std::ceil(area.x1));
    const int y1 = static_cast<int>(std::ceil(area.y1));
    pixman_image_t* image = samplerOf(picture);
    pixman_image_set_transform(image, &t);
    pixman_image_set_filter(image, smooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr,
                            0);
    composite(image, alpha, x0 - static_cast<int>(ox), y0 - static_cast<int>(oy), x0, y0, x1 - x0,
              y1 - y0);
    return true;
}

bool CairoCanvas::blendPlaced(const Surface& picture, int tx, int ty, int x0, int y0, int x1,
                              int y1) {
    // What pixman would composite: the box within both the target and the
    // picture (beyond the picture it is clear, which changes nothing).
    x0 = std::max({x0, tx, 0});
    y0 = std::max({y0, ty, 0});
    x1 = std::min({x1, tx + picture.width(), target_.width()});
    y1 = std::min({y1, ty + picture.height(), target_.height()});
    if (x0 >= x1 || y0 >= y1) return true;
    return blendOver(picture.row(y0 - ty) + (x0 - tx), picture.stride(), target_.row(y0) + x0,
                     target_.stride(), x1 - x0, y1 - y0);
}

bool CairoCanvas::canBlit(const Affine& matrix) const {
    pixman_transform_t t;
    return (matrix.isTranslation() && isWhole(matrix.tx) && isWhole(matrix.ty)) ||
           samplingTransform(matrix, t);
}

void CairoCanvas::composite(pixman_image_t* source, double alpha, int srcX, int srcY, int x, int y,
                            int w, int h) {
    pixman_image_t* maskImage = nullptr;
    if (alpha < 1) {
        const pixman_color_t solid{0, 0, 0, static_cast<std::uint16_t>(alpha * 0xFFFF + 0.5)};
        maskImage = pixman_image_create_solid_fill(&solid);
    }
    pixman_image_composite32(PIXMAN_OP_OVER, source, maskImage, destination_, srcX, srcY, 0, 0, x,
                             y, w, h);
    if (maskImage) pixman_image_unref(maskImage);
}

pixman_image_t* CairoCanvas::samplerOf(const Surface& picture) {
    if (!band_) return sdl::samplerOf(picture);  // the shared view, not this canvas's copy
    // Runs of sprites share a picture: the last one is tried first.
    if (lastPicture_ == &picture) return lastSampler_;
    pixman_image_t*& image = samplers_[&picture];
    if (!image) {
        image =
            pixman_image_create_bits(PIXMAN_a8r8g8b8, picture.width(), picture.height(),
                                     const_cast<std::uint32_t*>(picture.row(0)), picture.stride());
    }
    lastPicture_ = &picture;
    lastSampler_ = image;
    return image;
}

void CairoCanvas::endLayer(BlendMode blend, double alpha) {
    cairo_pattern_t* content = cairo_pop_group(cr_);
    paintWith(cr_, content, blendOperator(blend), alpha);
    cairo_pattern_destroy(content);
}

void CairoCanvas::endMaskedLayer(BlendMode blend) {
    cairo_pattern_t* shape = cairo_pop_group(cr_);
    cairo_pattern_t* content = cairo_pop_group(cr_);
    cairo_save(cr_);
    cairo_set_operator(cr_, blendOperator(blend));
    cairo_set_source(cr_, content);
    cairo_mask(cr_, shape);
    cairo_restore(cr_);
    cairo_pattern_destroy(shape);
    cairo_pattern_destroy(content);
}

void CairoCanvas::filterLayer(
    int x, int y, int w, int h,
    const std::function<void(std::vector<std::uint32_t>&, int, int)>& apply) {
    cairo_pattern_t* content = cairo_pop_group(cr_);
    cairo_push_group(cr_);
    cairo_surface_t* image =
        w > 0 && h > 0 ? cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h) : nullptr;
    if (image && cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        cairo_t* local = cairo_create(image);
        cairo_translate(local, -x, -y);
        cairo_set_source(local, content);
        cairo_paint(local);
        cairo_destroy(local);
        cairo_surface_flush(image);
        // Work on a packed copy: the image's rows may be padded.
        unsigned char* data = cairo_image_surface_get_data(image);
        const int stride = cairo_image_surface_get_stride(image);
        const auto rowBytes = static_cast<std::size_t>(w) * 4;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
        for (int row = 0; row < h; ++row) {
            std::memcpy(&pixels[static_cast<std::size_t>(row) * w],
                        data + static_cast<std::ptrdiff_t>(row) * stride, rowBytes);
        }
        apply(pixels, w, h);
        for (int row = 0; row < h; ++row) {
            std::memcpy(data + static_cast<std::ptrdiff_t>(row) * stride,
                        &pixels[static_cast<std::size_t>(row) * w], rowBytes);
        }
        cairo_surface_mark_dirty(image);
        cairo_save(cr_);
        cairo_identity_matrix(cr_);
        cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
        cairo_set_source_surface(cr_, image, x, y);
        cairo_paint(cr_);
        cairo_restore(cr_);
    }
    if (image) cairo_surface_destroy(image);
    cairo_pattern_destroy(content);
}

std::unique_ptr<Canvas> openCanvas(Surface& target, CanvasUse use) {
    return std::make_unique<CairoCanvas>(target, use);
}

void prepareSurface(const Surface& surface) {
    (void)SurfaceViews::of(surface);
}

Bounds pathExtents(const CanvasPath& path) {
    cairo_t* cr = scratch();
    appendPath(cr, path);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    Bounds b;
    b.add(x0, y0);
    b.add(x1, y1);
    if (!path.prepared()) path.setPrepared(std::make_shared<CairoPath>(cairo_copy_path(cr)));
    cairo_new_path(cr);
    return b;
}

bool pathFillContains(const CanvasPath& path, FillRule rule, double x, double y) {
    cairo_t* cr = scratch();
    appendPath(cr, path);
    cairo_set_fill_rule(cr, fillRule(rule));
    const bool inside = cairo_in_fill(cr, x, y);
    cairo_new_path(cr);
    return inside;
}

bool pathStrokeContains(const CanvasPath& path, const StrokeStyle& style, double x, double y) {
    cairo_t* cr = scratch();
    appendPath(cr, path);
    applyStroke(cr, style);
    const bool on = cairo_in_stroke(cr, x, y);
    cairo_new_path(cr);
    return on;
}

}  // namespace limn::sdl
