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
void gradientFill(DrawingList& list, int type, const rt::Dynamic& colourList,
                  const rt::Dynamic& alphaList, const rt::Dynamic& ratioList,
                  const rt::Dynamic& matrix, int spread, int, double focal) {
    FillStyle fill;
    fill.kind = FillKind::Gradient;
    fill.radial = type == 0;
    auto colours = colourList.asArray();
    auto alphas = alphaList.asArray();
    auto ratios = ratioList.asArray();
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
    fill.matrix = readMatrix(matrix).value_or(Affine{});
    fill.spread = spread;
    fill.focal = focal;
    list.beginFill(std::move(fill));
}

// limn_gfx_line_style: handle, thickness or null, colour, alpha, hinting, scale mode, caps, joints,
// miter.
void lineStyle(DrawingList& list, const rt::Dynamic& thickness, int rgb,
               std::optional<double> alpha, bool pixelHinting, wire::LineScaleMode scaleMode,
               wire::CapsStyle caps, wire::JointStyle joints, std::optional<double> miter) {
    LineStyle line;
    line.enabled = !thickness.isNull() && std::isfinite(thickness.asFloat());
    line.thickness = line.enabled ? std::max(0.0, thickness.asFloat()) : 0.0;
    line.rgb = static_cast<std::uint32_t>(rgb) & 0xFFFFFF;
    line.alpha = alpha.value_or(1.0);
    line.pixelHinting = pixelHinting;
    line.scaleMode = scaleMode;
    line.caps = caps;
    line.joints = joints;
    line.miterLimit = miter.value_or(3.0);
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

void drawPoints(DrawingList& list, const rt::Dynamic& xyList, const rt::Dynamic& colourList,
                const rt::Dynamic& defaultColour, bool, double size) {
    std::vector<double> xy;
    if (auto a = xyList.asArray()) {
        for (const auto& n : *a) xy.push_back(n.asFloat());
    }
    std::vector<std::uint32_t> colours;
    if (auto a = colourList.asArray()) {
        for (const auto& n : *a) colours.push_back(colour(n));
    }
    const std::uint32_t fallback = defaultColour.isNull() ? 0xFFFFFFFFu : colour(defaultColour);
    list.add(std::make_shared<PointsCommand>(std::move(xy), std::move(colours), fallback, size));
}

}  // namespace

void registerGraphicsPrimitives(native::TableModule& m) {
    handle<wire::limn_gfx_clear>(m, [](DrawingList& l) { l.clear(); });
    handle<wire::limn_gfx_begin_fill>(m, [](DrawingList& l, int rgb, std::optional<double> alpha) {
        l.beginFill(static_cast<std::uint32_t>(rgb), alpha.value_or(1.0));
    });
    handle<wire::limn_gfx_begin_bitmap_fill>(
        m, [](DrawingList& l, const rt::Dynamic& bitmap, const rt::Dynamic& matrix, bool repeat,
              bool smooth) {
            FillStyle fill;
            fill.kind = FillKind::Bitmap;
            fill.bitmap = std::dynamic_pointer_cast<Surface>(bitmap.asHandle());
            fill.matrix = readMatrix(matrix).value_or(Affine{});
            fill.repeat = repeat;
            fill.smooth = smooth;
            l.beginFill(std::move(fill));
        });
    handle<wire::limn_gfx_begin_gradient_fill>(m, gradientFill);
    handle<wire::limn_gfx_end_fill>(m, [](DrawingList& l) { l.endFill(); });
    handle<wire::limn_gfx_line_style>(m, lineStyle);
    handle<wire::limn_gfx_move_to>(m, [](DrawingList& l, double x, double y) { l.moveTo(x, y); });
    handle<wire::limn_gfx_line_to>(m, [](DrawingList& l, double x, double y) { l.lineTo(x, y); });
    handle<wire::limn_gfx_curve_to>(m, [](DrawingList& l, double cx, double cy, double ax,
                                          double ay) { l.curveTo(cx, cy, ax, ay); });
    handle<wire::limn_gfx_arc_to>(m, [](DrawingList& l, double cx, double cy, double ax,
                                        double ay) { l.arcTo(cx, cy, ax, ay); });
    // Centre and radii: drawCircle(x, y, r) sends x, y, r, r.
    handle<wire::limn_gfx_draw_ellipse>(
        m, [](DrawingList& l, double x, double y, double rx, double ry) {
            l.drawEllipse(x - rx, y - ry, 2 * rx, 2 * ry);
        });
    handle<wire::limn_gfx_draw_rect>(
        m, [](DrawingList& l, double x, double y, double w, double h) { l.drawRect(x, y, w, h); });
    handle<wire::limn_gfx_draw_round_rect>(
        m, [](DrawingList& l, double x, double y, double w, double h, double ew,
              std::optional<double> eh) { l.drawRoundRect(x, y, w, h, ew, eh.value_or(ew)); });
    handle<wire::limn_gfx_draw_points>(m, drawPoints);
    // Prepared drawing commands are never made by this backend; nothing to draw.
    handle<wire::limn_gfx_draw_data>(m, [](const rt::Dynamic&, const rt::Dynamic&) {});
    handle<wire::limn_gfx_draw_datum>(m, [](const rt::Dynamic&, const rt::Dynamic&) {});
}

}  // namespace limn::sdl
