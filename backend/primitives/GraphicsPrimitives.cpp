// Drawing lists.
#include <cmath>

#include "backend/draw/DrawingList.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

using native::PrimitiveFn;

template <class F>
PrimitiveFn onList(F f) {
    return [f](rt::Args a) -> rt::Dynamic {
        DrawingList* list = DrawingList::from(arg(a, 0));
        if (!list) return {};
        f(*list, a);
        return {};
    };
}

// Variable-count primitives get their arguments as one array.
template <class F>
PrimitiveFn onListArray(F f) {
    return [f](rt::Args a) -> rt::Dynamic {
        auto values = arg(a, 0).asArray();
        if (!values) return {};
        const rt::Args v(*values);
        DrawingList* list = DrawingList::from(arg(v, 0));
        if (!list) return {};
        f(*list, v);
        return {};
    };
}

std::optional<Affine> readMatrix(const rt::Dynamic& m) {
    if (!m.isObject()) return std::nullopt;
    return Affine{fieldNumber(m, "a"), fieldNumber(m, "b"),  fieldNumber(m, "c"),
                  fieldNumber(m, "d"), fieldNumber(m, "tx"), fieldNumber(m, "ty")};
}

std::uint32_t colour(const rt::Dynamic& v) {
    return static_cast<std::uint32_t>(v.asInt());
}

// limn_gfx_begin_gradient_fill: handle, type, colours, alphas, ratios, matrix, spread,
// interpolation, focal.
void gradientFill(DrawingList& list, rt::Args v) {
    FillStyle fill;
    fill.kind = FillKind::Gradient;
    fill.radial = argInt(v, 1) == 0;
    auto colours = arg(v, 2).asArray();
    auto alphas = arg(v, 3).asArray();
    auto ratios = arg(v, 4).asArray();
    const std::size_t n = colours ? colours->size() : 0;
    for (std::size_t i = 0; i < n; ++i) {
        GradientStop stop;
        stop.rgb = colour((*colours)[i]) & 0xFFFFFF;
        stop.alpha = alphas && i < alphas->size() ? (*alphas)[i].asFloat() : 1.0;
        stop.offset = ratios && i < ratios->size()
                          ? (*ratios)[i].asFloat() / 255.0
                          : (n > 1 ? static_cast<double>(i) / (n - 1) : 0.0);
        fill.stops.push_back(stop);
    }
    fill.matrix = readMatrix(arg(v, 5)).value_or(Affine{});
    fill.spread = argInt(v, 6);
    fill.focal = argNumber(v, 8);
    list.beginFill(std::move(fill));
}

// limn_gfx_line_style: handle, thickness or null, colour, alpha, hinting, scale mode, caps, joints,
// miter.
void lineStyle(DrawingList& list, rt::Args v) {
    LineStyle line;
    line.enabled = !arg(v, 1).isNull() && std::isfinite(argNumber(v, 1));
    line.thickness = line.enabled ? std::max(0.0, argNumber(v, 1)) : 0.0;
    line.rgb = colour(arg(v, 2)) & 0xFFFFFF;
    line.alpha = arg(v, 3).isNull() ? 1.0 : argNumber(v, 3);
    line.pixelHinting = argBool(v, 4);
    line.scaleMode = argInt(v, 5);
    line.caps = argInt(v, 6);
    line.joints = argInt(v, 7);
    line.miterLimit = arg(v, 8).isNull() ? 3.0 : argNumber(v, 8);
    list.lineStyle(line);
}

// Small squares, one per point, in each point's colour or the default one.
class PointsCommand final : public DrawCommand {
public:
    PointsCommand(std::vector<double> xy, std::vector<std::uint32_t> colours,
                  std::uint32_t fallback, double size)
        : xy_(std::move(xy)),
          colours_(std::move(colours)),
          fallback_(fallback),
          size_(size > 0 ? size : 1.0) {
        for (std::size_t i = 0; i + 1 < xy_.size(); i += 2) bounds_.add(xy_[i], xy_[i + 1]);
        bounds_.inflate(size_ / 2);
    }

    void draw(cairo_t* cr, const FillStyle&, const RenderState& state) override {
        const ColorXf& c = state.color;
        for (std::size_t i = 0; i + 1 < xy_.size(); i += 2) {
            const std::uint32_t argb = i / 2 < colours_.size() ? colours_[i / 2] : fallback_;
            cairo_set_source_rgba(cr, c.red(((argb >> 16) & 0xFF) / 255.0),
                                  c.green(((argb >> 8) & 0xFF) / 255.0),
                                  c.blue((argb & 0xFF) / 255.0), c.alpha((argb >> 24) / 255.0));
            cairo_rectangle(cr, xy_[i] - size_ / 2, xy_[i + 1] - size_ / 2, size_, size_);
            cairo_fill(cr);
        }
    }
    [[nodiscard]] Bounds bounds() const override { return bounds_; }

private:
    std::vector<double> xy_;
    std::vector<std::uint32_t> colours_;
    std::uint32_t fallback_;
    double size_;
    Bounds bounds_;
};

void drawPoints(DrawingList& list, rt::Args v) {
    std::vector<double> xy;
    if (auto a = arg(v, 1).asArray()) {
        for (const auto& n : *a) xy.push_back(n.asFloat());
    }
    std::vector<std::uint32_t> colours;
    if (auto a = arg(v, 2).asArray()) {
        for (const auto& n : *a) colours.push_back(colour(n));
    }
    const std::uint32_t fallback = arg(v, 3).isNull() ? 0xFFFFFFFFu : colour(arg(v, 3));
    list.add(std::make_shared<PointsCommand>(std::move(xy), std::move(colours), fallback,
                                             argNumber(v, 5)));
}

}  // namespace

void registerGraphicsPrimitives(native::TableModule& m) {
    m.add("limn_gfx_clear", 1, onList([](DrawingList& l, rt::Args) { l.clear(); }));
    m.add("limn_gfx_begin_fill", 3, onList([](DrawingList& l, rt::Args a) {
              l.beginFill(colour(arg(a, 1)), arg(a, 2).isNull() ? 1.0 : argNumber(a, 2));
          }));
    m.add("limn_gfx_begin_bitmap_fill", 5, onList([](DrawingList& l, rt::Args a) {
              FillStyle fill;
              fill.kind = FillKind::Bitmap;
              fill.bitmap = std::dynamic_pointer_cast<Surface>(arg(a, 1).asHandle());
              fill.matrix = readMatrix(arg(a, 2)).value_or(Affine{});
              fill.repeat = argBool(a, 3);
              fill.smooth = argBool(a, 4);
              l.beginFill(std::move(fill));
          }));
    m.add("limn_gfx_begin_gradient_fill", native::kVariableArgs, onListArray(gradientFill));
    m.add("limn_gfx_end_fill", 1, onList([](DrawingList& l, rt::Args) { l.endFill(); }));
    m.add("limn_gfx_line_style", native::kVariableArgs, onListArray(lineStyle));
    m.add("limn_gfx_move_to", 3,
          onList([](DrawingList& l, rt::Args a) { l.moveTo(argNumber(a, 1), argNumber(a, 2)); }));
    m.add("limn_gfx_line_to", 3,
          onList([](DrawingList& l, rt::Args a) { l.lineTo(argNumber(a, 1), argNumber(a, 2)); }));
    m.add("limn_gfx_curve_to", 5, onList([](DrawingList& l, rt::Args a) {
              l.curveTo(argNumber(a, 1), argNumber(a, 2), argNumber(a, 3), argNumber(a, 4));
          }));
    m.add("limn_gfx_arc_to", 5, onList([](DrawingList& l, rt::Args a) {
              l.arcTo(argNumber(a, 1), argNumber(a, 2), argNumber(a, 3), argNumber(a, 4));
          }));
    // Centre and radii: drawCircle(x, y, r) sends x, y, r, r.
    m.add("limn_gfx_draw_ellipse", 5, onList([](DrawingList& l, rt::Args a) {
              const double rx = argNumber(a, 3), ry = argNumber(a, 4);
              l.drawEllipse(argNumber(a, 1) - rx, argNumber(a, 2) - ry, 2 * rx, 2 * ry);
          }));
    m.add("limn_gfx_draw_rect", 5, onList([](DrawingList& l, rt::Args a) {
              l.drawRect(argNumber(a, 1), argNumber(a, 2), argNumber(a, 3), argNumber(a, 4));
          }));
    m.add("limn_gfx_draw_round_rect", native::kVariableArgs,
          onListArray([](DrawingList& l, rt::Args v) {
              const double ew = argNumber(v, 5);
              l.drawRoundRect(argNumber(v, 1), argNumber(v, 2), argNumber(v, 3), argNumber(v, 4),
                              ew, arg(v, 6).isNull() ? ew : argNumber(v, 6));
          }));
    m.add("limn_gfx_draw_points", native::kVariableArgs, onListArray(drawPoints));
    // Prepared drawing commands are never made by this backend; nothing to draw.
    m.add("limn_gfx_draw_data", 2, [](rt::Args) -> rt::Dynamic { return {}; });
    m.add("limn_gfx_draw_datum", 2, [](rt::Args) -> rt::Dynamic { return {}; });
}

}  // namespace limn::sdl
