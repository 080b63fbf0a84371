#include "backend/web/raster/WebCanvas.h"

#include <algorithm>
#include <cmath>

#include "backend/web/raster/CanvasCalls.h"
#include "backend/web/raster/WebPictures.h"
#include "runtime/Log.h"

namespace limn::web::raster {

using sdl::Affine;
using sdl::Bounds;
using sdl::CanvasGradient;
using sdl::CanvasPaint;
using sdl::CanvasPath;
using sdl::FillRule;

namespace {

// A path as the page keeps it; freed there when the path changes or goes.
struct PagePath final : CanvasPath::Prepared {
    int handle = limn_raster_path_new();
    ~PagePath() override { limn_raster_path_free(handle); }
};

std::uint32_t argbOf(const sdl::Rgba& c, double alpha = 1) {
    auto byte = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return byte(c.a * alpha) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

void setTransformOn(int context, const Affine& m) {
    limn_raster_set_transform(context, m.a, m.b, m.c, m.d, m.tx, m.ty);
}

CanvasPath mapped(const CanvasPath& path, const Affine& m) {
    CanvasPath out;
    const auto& p = path.points();
    std::size_t at = 0;
    for (const auto verb : path.verbs()) {
        switch (verb) {
            case CanvasPath::Verb::Move:
                out.moveTo(m.mapX(p[at], p[at + 1]), m.mapY(p[at], p[at + 1]));
                at += 2;
                break;
            case CanvasPath::Verb::Line:
                out.lineTo(m.mapX(p[at], p[at + 1]), m.mapY(p[at], p[at + 1]));
                at += 2;
                break;
            case CanvasPath::Verb::Cubic:
                out.curveTo(m.mapX(p[at], p[at + 1]), m.mapY(p[at], p[at + 1]),
                            m.mapX(p[at + 2], p[at + 3]), m.mapY(p[at + 2], p[at + 3]),
                            m.mapX(p[at + 4], p[at + 5]), m.mapY(p[at + 4], p[at + 5]));
                at += 6;
                break;
            case CanvasPath::Verb::Close:
                out.close();
                break;
            case CanvasPath::Verb::Rect: {
                // A parallelogram once mapped: its corners in the rectangle's order.
                const double x = p[at], y = p[at + 1], w = p[at + 2], h = p[at + 3];
                out.moveTo(m.mapX(x, y), m.mapY(x, y));
                out.lineTo(m.mapX(x + w, y), m.mapY(x + w, y));
                out.lineTo(m.mapX(x + w, y + h), m.mapY(x + w, y + h));
                out.lineTo(m.mapX(x, y + h), m.mapY(x, y + h));
                out.close();
                at += 4;
                break;
            }
        }
    }
    return out;
}

// The stops of one period of a repeated or reflected gradient, laid over [t0, t1]
// of its axis as offsets 0..1 of a pad gradient spanning it.
constexpr int kMostPeriods = 256;

void addPeriodStops(int handle, const CanvasGradient& g, double t0, double t1) {
    const double span = t1 - t0;
    const auto first = static_cast<long>(std::floor(t0));
    const auto last = static_cast<long>(std::ceil(t1));
    for (long k = first; k < last; ++k) {
        const bool reversed = g.spread == sdl::Spread::Reflect && (k % 2 != 0);
        for (std::size_t i = 0; i < g.stops.size(); ++i) {
            const auto& stop = reversed ? g.stops[g.stops.size() - 1 - i] : g.stops[i];
            const double s = reversed ? 1 - stop.offset : stop.offset;
            const double at = (static_cast<double>(k) + s - t0) / span;
            limn_raster_gradient_stop(handle, std::clamp(at, 0.0, 1.0), argbOf(stop.color));
        }
    }
}

// The page's gradient for `g`; repeat and reflect spread over the path's extent
// (linear gradients; Canvas 2D pads radial ones).
int gradientHandle(const CanvasGradient& g, const CanvasPath& path) {
    if (g.radial || g.spread == sdl::Spread::Pad || g.stops.empty()) {
        if (g.radial && g.spread != sdl::Spread::Pad) {
            rt::log::warnOnce("web:radial-spread",
                              "radial gradients repeat or reflect as padded ones in the page");
        }
        const int handle = g.radial
                               ? limn_raster_radial_gradient_new(g.x0, g.y0, g.r0, g.x1, g.y1, g.r1)
                               : limn_raster_linear_gradient_new(g.x0, g.y0, g.x1, g.y1);
        for (const auto& stop : g.stops) {
            limn_raster_gradient_stop(handle, stop.offset, argbOf(stop.color));
        }
        return handle;
    }
    const double dx = g.x1 - g.x0;
    const double dy = g.y1 - g.y0;
    const double length2 = dx * dx + dy * dy;
    const Bounds box = sdl::pathExtents(path);
    const Affine toGradient = g.matrix.inverse();
    double t0 = 0;
    double t1 = 1;
    if (length2 > 0 && !box.empty()) {
        t0 = INFINITY;
        t1 = -INFINITY;
        for (const double x : {box.x0, box.x1}) {
            for (const double y : {box.y0, box.y1}) {
                const double gx = toGradient.mapX(x, y) - g.x0;
                const double gy = toGradient.mapY(x, y) - g.y0;
                const double t = (gx * dx + gy * dy) / length2;
                t0 = std::min(t0, t);
                t1 = std::max(t1, t);
            }
        }
        if (t1 - t0 > kMostPeriods) t1 = t0 + kMostPeriods;
        if (!(t1 > t0)) t1 = t0 + 1;
    }
    const int handle = limn_raster_linear_gradient_new(g.x0 + t0 * dx, g.y0 + t0 * dy,
                                                       g.x0 + t1 * dx, g.y0 + t1 * dy);
    addPeriodStops(handle, g, t0, t1);
    return handle;
}

}  // namespace

int WebCanvas::wireCap(sdl::LineCap cap) {
    using W = native::wire::CapsStyle;
    switch (cap) {
        case sdl::LineCap::Round:
            return static_cast<int>(W::ROUND);
        case sdl::LineCap::Square:
            return static_cast<int>(W::SQUARE);
        default:
            return static_cast<int>(W::NONE);
    }
}

int WebCanvas::wireJoin(sdl::LineJoin join) {
    using W = native::wire::JointStyle;
    switch (join) {
        case sdl::LineJoin::Round:
            return static_cast<int>(W::ROUND);
        case sdl::LineJoin::Bevel:
            return static_cast<int>(W::BEVEL);
        default:
            return static_cast<int>(W::MITER);
    }
}

int WebCanvas::pathHandle(const CanvasPath& path) {
    if (auto* kept = dynamic_cast<PagePath*>(path.prepared())) return kept->handle;
    auto made = std::make_shared<PagePath>();
    const auto& p = path.points();
    std::size_t at = 0;
    for (const auto verb : path.verbs()) {
        switch (verb) {
            case CanvasPath::Verb::Move:
                limn_raster_move_to(made->handle, p[at], p[at + 1]);
                at += 2;
                break;
            case CanvasPath::Verb::Line:
                limn_raster_line_to(made->handle, p[at], p[at + 1]);
                at += 2;
                break;
            case CanvasPath::Verb::Cubic:
                limn_raster_cubic_to(made->handle, p[at], p[at + 1], p[at + 2], p[at + 3],
                                     p[at + 4], p[at + 5]);
                at += 6;
                break;
            case CanvasPath::Verb::Close:
                limn_raster_close(made->handle);
                break;
            case CanvasPath::Verb::Rect:
                limn_raster_rect(made->handle, p[at], p[at + 1], p[at + 2], p[at + 3]);
                at += 4;
                break;
        }
    }
    const int handle = made->handle;
    path.setPrepared(std::move(made));
    return handle;
}

std::unique_ptr<WebCanvas> WebCanvas::page() {
    int width = 0;
    int height = 0;
    limn_raster_canvas_size(kPageContext, &width, &height);
    return std::unique_ptr<WebCanvas>(new WebCanvas(kPageContext, width, height, false));
}

std::unique_ptr<WebCanvas> WebCanvas::pageBox(int x, int y, int width, int height) {
    limn_raster_set_origin(kPageContext, x, y);
    return std::unique_ptr<WebCanvas>(
        new WebCanvas(kPageContext, std::max(1, width), std::max(1, height), false));
}

WebCanvas::WebCanvas(int width, int height)
    : WebCanvas(limn_raster_layer_new(std::max(1, width), std::max(1, height)), std::max(1, width),
                std::max(1, height), true) {}

WebCanvas::WebCanvas(int context, int width, int height, bool owned)
    : base_(context),
      owned_(owned),
      width_(width),
      height_(height),
      clipBox_(Bounds::of(0, 0, width, height)) {
    limn_raster_save(base_);
}

WebCanvas::~WebCanvas() {
    for (const int layer : layers_) limn_raster_layer_free(layer);
    if (owned_) {
        limn_raster_layer_free(base_);
    } else {
        // The page's canvas keeps its pixels, not the state drawn with.
        for (std::size_t i = 0; i < saved_.size(); ++i) limn_raster_restore(base_);
        limn_raster_restore(base_);
        limn_raster_set_origin(base_, 0, 0);
    }
}

std::vector<int> WebCanvas::contexts() const {
    std::vector<int> all{base_};
    all.insert(all.end(), layers_.begin(), layers_.end());
    return all;
}

void WebCanvas::save() {
    saved_.push_back({clips_.size(), transform_, clipBox_});
    for (const int context : contexts()) limn_raster_save(context);
}

void WebCanvas::restore() {
    if (saved_.empty()) return;
    const Saved last = saved_.back();
    saved_.pop_back();
    clips_.resize(last.clips);
    transform_ = last.transform;
    clipBox_ = last.clipBox;
    for (const int context : contexts()) limn_raster_restore(context);
}

void WebCanvas::applyClip(int context, const Clip& clip) const {
    setTransformOn(context, clip.transform);
    if (clip.path) {
        limn_raster_clip_path(context, pathHandle(*clip.path),
                              clip.rule == FillRule::EvenOdd ? 1 : 0);
    } else {
        limn_raster_clip_rect(context, clip.x, clip.y, clip.w, clip.h);
    }
}

void WebCanvas::replayState(int context) const {
    std::size_t clip = 0;
    limn_raster_save(context);
    for (const auto& level : saved_) {
        for (; clip < level.clips; ++clip) applyClip(context, clips_[clip]);
        limn_raster_save(context);
    }
    for (; clip < clips_.size(); ++clip) applyClip(context, clips_[clip]);
}

namespace {

Bounds deviceBox(const Bounds& box, const Affine& m) {
    Bounds out;
    if (box.empty()) return out;
    for (const double x : {box.x0, box.x1}) {
        for (const double y : {box.y0, box.y1}) out.add(m.mapX(x, y), m.mapY(x, y));
    }
    return out;
}

Bounds intersect(const Bounds& a, const Bounds& b) {
    Bounds out{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
               std::min(a.y1, b.y1)};
    return out.empty() ? Bounds{0, 0, 0, 0} : out;
}

}  // namespace

void WebCanvas::clipRect(double x, double y, double w, double h) {
    Clip clip{transform_, nullptr, x, y, w, h, FillRule::Winding};
    for (const int context : contexts()) applyClip(context, clip);
    clipBox_ = intersect(clipBox_, deviceBox(Bounds::of(x, y, w, h), transform_));
    clips_.push_back(std::move(clip));
}

void WebCanvas::clipPath(const CanvasPath& path, FillRule rule) {
    Clip clip{transform_, std::make_shared<const CanvasPath>(path), 0, 0, 0, 0, rule};
    for (const int context : contexts()) applyClip(context, clip);
    clipBox_ = intersect(clipBox_, deviceBox(sdl::pathExtents(path), transform_));
    clips_.push_back(std::move(clip));
}

void WebCanvas::paintPath(int context, const CanvasPath& path, const CanvasPaint& paint,
                          bool stroke, FillRule rule, const Affine& transform) {
    setTransformOn(context, transform);
    const int handle = pathHandle(path);
    const int evenOdd = rule == FillRule::EvenOdd ? 1 : 0;
    limn_raster_set_alpha(context, 1);
    switch (paint.kind) {
        case CanvasPaint::Kind::Solid:
            if (stroke) {
                limn_raster_stroke_color(context, handle, argbOf(paint.color, paint.alpha));
            } else {
                limn_raster_fill_color(context, handle, argbOf(paint.color, paint.alpha), evenOdd);
            }
            break;
        case CanvasPaint::Kind::Gradient: {
            if (!paint.gradient) break;
            const auto& g = *paint.gradient;
            const int gradient = gradientHandle(g, path);
            const Affine& m = g.matrix;
            limn_raster_set_alpha(context, paint.alpha);
            limn_raster_paint_gradient(context, handle, gradient, stroke ? 1 : 0, evenOdd, m.a, m.b,
                                       m.c, m.d, m.tx, m.ty);
            limn_raster_gradient_free(gradient);
            break;
        }
        case CanvasPaint::Kind::Pattern: {
            if (!paint.pattern || !paint.pattern->surface) break;
            const auto& p = *paint.pattern;
            const Affine& m = p.matrix;
            limn_raster_set_alpha(context, paint.alpha);
            const int picture = pictureOf(*p.surface).handle;
            if (picture == 0) break;
            limn_raster_paint_picture(context, handle, picture, p.repeat ? 1 : 0, p.smooth ? 1 : 0,
                                      stroke ? 1 : 0, evenOdd, m.a, m.b, m.c, m.d, m.tx, m.ty);
            break;
        }
    }
}

void WebCanvas::fill(const CanvasPath& path, const CanvasPaint& paint, FillRule rule) {
    if (path.empty()) return;
    paintPath(context(), path, paint, false, rule, transform_);
}

void WebCanvas::stroke(const CanvasPath& path, const CanvasPaint& paint,
                       const sdl::StrokeStyle& style) {
    if (path.empty() || !(style.width > 0)) return;
    const int context = this->context();
    limn_raster_set_line(context, style.width, wireCap(style.cap), wireJoin(style.join),
                         style.miterLimit);
    if (!style.deviceWidth) {
        paintPath(context, path, paint, true, FillRule::Winding, transform_);
        return;
    }
    // The pen in device pixels: the path goes to the device first, and the paint's
    // space with it.
    const CanvasPath device = mapped(path, transform_);
    CanvasGradient gradient;
    sdl::CanvasPattern pattern;
    CanvasPaint moved = paint;
    if (paint.kind == CanvasPaint::Kind::Gradient && paint.gradient) {
        gradient = *paint.gradient;
        gradient.matrix = transform_ * gradient.matrix;
        moved.gradient = &gradient;
    } else if (paint.kind == CanvasPaint::Kind::Pattern && paint.pattern) {
        pattern = *paint.pattern;
        pattern.matrix = transform_ * pattern.matrix;
        moved.pattern = &pattern;
    }
    paintPath(context, device, moved, true, FillRule::Winding, Affine{});
}

void WebCanvas::drawSurface(const sdl::Surface& picture, const Affine& matrix, double alpha,
                            bool smooth) {
    const int context = this->context();
    const PictureRef shown = pictureOf(picture);
    if (shown.handle == 0) return;
    setTransformOn(context, matrix);
    limn_raster_set_alpha(context, std::clamp(alpha, 0.0, 1.0));
    limn_raster_draw_picture(context, shown.handle, 0, 0, shown.width, shown.height,
                             smooth ? 1 : 0);
    limn_raster_set_alpha(context, 1);
}

bool WebCanvas::blit(const sdl::Surface& picture, const Affine& matrix, double alpha, bool smooth,
                     const Bounds& area) {
    if (area.empty()) return true;
    const int context = this->context();
    limn_raster_save(context);
    limn_raster_set_transform(context, 1, 0, 0, 1, 0, 0);
    limn_raster_clip_rect(context, area.x0, area.y0, area.width(), area.height());
    drawSurface(picture, matrix, alpha, smooth);
    limn_raster_restore(context);
    return true;
}

void WebCanvas::beginLayer() {
    const int layer = limn_raster_layer_new(width_, height_);
    replayState(layer);
    layers_.push_back(layer);
}

void WebCanvas::composite(int from, sdl::BlendMode blend, double alpha) {
    const int into = context();
    limn_raster_save(into);
    limn_raster_set_transform(into, 1, 0, 0, 1, 0, 0);
    limn_raster_set_alpha(into, std::clamp(alpha, 0.0, 1.0));
    limn_raster_set_blend(into, static_cast<int>(blend));
    limn_raster_draw_layer(into, from, 0, 0);
    limn_raster_restore(into);
}

void WebCanvas::endLayer(sdl::BlendMode blend, double alpha) {
    if (layers_.empty()) return;
    const int layer = layers_.back();
    layers_.pop_back();
    composite(layer, blend, alpha);
    limn_raster_layer_free(layer);
}

void WebCanvas::endMaskedLayer(sdl::BlendMode blend) {
    if (layers_.size() < 2) {
        endLayer(blend, 1);
        return;
    }
    const int mask = layers_.back();
    layers_.pop_back();
    // The content keeps its pixels where the mask has alpha, in its proportion.
    const int content = layers_.back();
    limn_raster_save(content);
    limn_raster_set_transform(content, 1, 0, 0, 1, 0, 0);
    limn_raster_set_blend(content, static_cast<int>(sdl::BlendMode::ALPHA));
    limn_raster_draw_layer(content, mask, 0, 0);
    limn_raster_restore(content);
    limn_raster_layer_free(mask);
    endLayer(blend, 1);
}

void WebCanvas::filterLayer(
    int x, int y, int w, int h,
    const std::function<void(std::vector<std::uint32_t>& pixels, int width, int height)>& apply) {
    if (layers_.empty()) return;
    const int layer = layers_.back();
    const int x0 = std::clamp(x, 0, width_);
    const int y0 = std::clamp(y, 0, height_);
    const int x1 = std::clamp(x + std::max(0, w), 0, width_);
    const int y1 = std::clamp(y + std::max(0, h), 0, height_);
    // Only the box stays; the layer's state is given back after the reset.
    const int bw = x1 - x0;
    const int bh = y1 - y0;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bw) * static_cast<std::size_t>(bh));
    if (bw > 0 && bh > 0) {
        limn_raster_read(layer, x0, y0, bw, bh, pixels.data(), bw * 4);
        apply(pixels, bw, bh);
    }
    limn_raster_reset(layer);
    if (bw > 0 && bh > 0 && pixels.size() == static_cast<std::size_t>(bw) * bh) {
        limn_raster_write(layer, x0, y0, bw, bh, pixels.data(), bw * 4);
    }
    replayState(layer);
}

}  // namespace limn::web::raster
