// Drawing lists.
#include <cmath>

#include "backend/draw/DrawingList.h"
#include "backend/primitives/Primitives.h"

namespace limn::sdl {

namespace {

namespace wire = native::wire;
using native::handle;

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
void gradientFill(DrawingList& list, const wire::limn_gfx_begin_gradient_fill::Args& a) {
    FillStyle fill;
    fill.kind = FillKind::Gradient;
    auto gradient = std::make_shared<GradientStyle>();
    gradient->radial = a.type == 0;
    auto colours = a.colors.asArray();
    auto alphas = a.alphas.asArray();
    auto ratios = a.ratios.asArray();
    const std::size_t n = colours ? colours->size() : 0;
    for (std::size_t i = 0; i < n; ++i) {
        GradientStop stop;
        stop.rgb = colour((*colours)[i]) & 0xFFFFFF;
        stop.alpha = alphas && i < alphas->size() ? (*alphas)[i].asFloat() : 1.0;
        stop.offset = ratios && i < ratios->size()
                          ? (*ratios)[i].asFloat() / 255.0
                          : (n > 1 ? static_cast<double>(i) / (n - 1) : 0.0);
        gradient->stops.push_back(stop);
    }
    fill.matrix = readMatrix(a.matrix).value_or(Affine{});
    gradient->spread = a.spreadMethod;
    gradient->focal = a.focalPointRatio;
    fill.gradient = std::move(gradient);
    list.beginFill(std::move(fill));
}

// limn_gfx_line_style: handle, thickness or null, colour, alpha, hinting, scale mode, caps, joints,
// miter.
void lineStyle(DrawingList& list, const wire::limn_gfx_line_style::Args& a) {
    LineStyle line;
    line.enabled = !a.thickness.isNull() && std::isfinite(a.thickness.asFloat());
    line.thickness = line.enabled ? std::max(0.0, a.thickness.asFloat()) : 0.0;
    line.rgb = static_cast<std::uint32_t>(a.color) & 0xFFFFFF;
    line.alpha = a.alpha.value_or(1.0);
    line.pixelHinting = a.pixelHinting;
    line.scaleMode = a.scaleMode;
    line.caps = a.caps;
    line.joints = a.joints;
    line.miterLimit = a.miterLimit.value_or(3.0);
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

    void draw(Canvas& canvas, const FillStyle&, const RenderState& state) override {
        const ColorXf& c = state.color;
        for (std::size_t i = 0; i + 1 < xy_.size(); i += 2) {
            const std::uint32_t argb = i / 2 < colours_.size() ? colours_[i / 2] : fallback_;
            CanvasPath box;
            box.rect(xy_[i] - size_ / 2, xy_[i + 1] - size_ / 2, size_, size_);
            canvas.fill(
                box,
                CanvasPaint::solid({c.red(((argb >> 16) & 0xFF) / 255.0),
                                    c.green(((argb >> 8) & 0xFF) / 255.0),
                                    c.blue((argb & 0xFF) / 255.0), c.alpha((argb >> 24) / 255.0)}),
                FillRule::EvenOdd);
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

void drawPoints(DrawingList& list, const wire::limn_gfx_draw_points::Args& a) {
    std::vector<double> xy;
    if (auto list = a.xy.asArray()) {
        for (const auto& n : *list) xy.push_back(n.asFloat());
    }
    std::vector<std::uint32_t> colours;
    if (auto list = a.pointRGBA.asArray()) {
        for (const auto& n : *list) colours.push_back(colour(n));
    }
    const std::uint32_t fallback = a.defaultRGBA.isNull() ? 0xFFFFFFFFu : colour(a.defaultRGBA);
    list.add(std::make_shared<PointsCommand>(std::move(xy), std::move(colours), fallback, a.size));
}

}  // namespace

namespace {

constexpr void handleGraphicsPart(auto& m) {
    handle<wire::limn_gfx_clear>(m, [](DrawingList& l) { l.clear(); });
    handle<wire::limn_gfx_begin_fill>(m, [](DrawingList& l, const auto& a) {
        l.beginFill(static_cast<std::uint32_t>(a.color), a.alpha.value_or(1.0));
    });
    handle<wire::limn_gfx_begin_bitmap_fill>(m, [](DrawingList& l, const auto& a) {
        FillStyle fill;
        fill.kind = FillKind::Bitmap;
        fill.bitmap = std::dynamic_pointer_cast<Surface>(a.bitmap.asHandle());
        fill.matrix = readMatrix(a.matrix).value_or(Affine{});
        fill.repeat = a.repeat;
        fill.smooth = a.smooth;
        l.beginFill(std::move(fill));
    });
    handle<wire::limn_gfx_begin_gradient_fill>(m, gradientFill);
    handle<wire::limn_gfx_end_fill>(m, [](DrawingList& l) { l.endFill(); });
    handle<wire::limn_gfx_line_style>(m, lineStyle);
    handle<wire::limn_gfx_move_to>(m, [](DrawingList& l, const auto& a) { l.moveTo(a.x, a.y); });
    handle<wire::limn_gfx_line_to>(m, [](DrawingList& l, const auto& a) { l.lineTo(a.x, a.y); });
    handle<wire::limn_gfx_curve_to>(m, [](DrawingList& l, const auto& a) {
        l.curveTo(a.controlX, a.controlY, a.anchorX, a.anchorY);
    });
    handle<wire::limn_gfx_arc_to>(m, [](DrawingList& l, const auto& a) {
        l.arcTo(a.controlX, a.controlY, a.anchorX, a.anchorY);
    });
    // Centre and radii: drawCircle(x, y, r) sends x, y, r, r.
    handle<wire::limn_gfx_draw_ellipse>(m, [](DrawingList& l, const auto& a) {
        l.drawEllipse(a.x - a.radiusX, a.y - a.radiusY, 2 * a.radiusX, 2 * a.radiusY);
    });
    handle<wire::limn_gfx_draw_rect>(
        m, [](DrawingList& l, const auto& a) { l.drawRect(a.x, a.y, a.width, a.height); });
    handle<wire::limn_gfx_draw_round_rect>(m, [](DrawingList& l, const auto& a) {
        l.drawRoundRect(a.x, a.y, a.width, a.height, a.ellipseWidth,
                        a.ellipseHeight.value_or(a.ellipseWidth));
    });
    handle<wire::limn_gfx_draw_points>(m, drawPoints);
    // Prepared drawing commands are never made by this backend; nothing to draw.
    handle<wire::limn_gfx_draw_data>(m, [](const auto&) {});
    handle<wire::limn_gfx_draw_datum>(m, [](const auto&) {});
}

}  // namespace

void registerGraphicsPrimitives(native::TableModule& module) {
    handleGraphicsPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Drawing>([](auto& m) {
    handleGraphicsPart(m);
}));

}  // namespace limn::sdl
