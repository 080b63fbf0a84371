#include "framework/display/Graphics.h"

#include "framework/display/BitmapData.h"
#include "framework/display/IGraphicsData.h"
#include "framework/display/Tilesheet.h"
#include "native/Call.h"
#include "runtime/Error.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_gfx_clear> gfxClear;
const native::Call<native::wire::limn_gfx_begin_fill> gfxBeginFill;
const native::Call<native::wire::limn_gfx_begin_bitmap_fill> gfxBeginBitmapFill;
const native::Call<native::wire::limn_gfx_begin_gradient_fill> gfxBeginGradientFill;
const native::Call<native::wire::limn_gfx_end_fill> gfxEndFill;
const native::Call<native::wire::limn_gfx_line_style> gfxLineStyle;
const native::Call<native::wire::limn_gfx_move_to> gfxMoveTo;
const native::Call<native::wire::limn_gfx_line_to> gfxLineTo;
const native::Call<native::wire::limn_gfx_curve_to> gfxCurveTo;
const native::Call<native::wire::limn_gfx_arc_to> gfxArcTo;
const native::Call<native::wire::limn_gfx_draw_ellipse> gfxDrawEllipse;
const native::Call<native::wire::limn_gfx_draw_rect> gfxDrawRect;
const native::Call<native::wire::limn_gfx_draw_round_rect> gfxDrawRoundRect;
const native::Call<native::wire::limn_gfx_draw_triangles> gfxDrawTriangles;
const native::Call<native::wire::limn_gfx_draw_data> gfxDrawData;
const native::Call<native::wire::limn_gfx_draw_datum> gfxDrawDatum;
const native::Call<native::wire::limn_gfx_draw_tiles> gfxDrawTiles;
const native::Call<native::wire::limn_gfx_draw_points> gfxDrawPoints;

rt::Dynamic orNull(const std::optional<double>& value) {
    return value ? rt::Dynamic(*value) : rt::Dynamic();
}

int indexOf(auto value) {
    return static_cast<int>(value);
}

}  // namespace

const rt::ClassInfo& Graphics::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.Graphics", &rt::Object::staticClass())
            .readOnly<&Graphics::limnHandle>("limnHandle")
            .method<&Graphics::clear>("clear")
            .method<&Graphics::endFill>("endFill")
            .method<&Graphics::moveTo>("moveTo")
            .method<&Graphics::lineTo>("lineTo")
            .method<&Graphics::curveTo>("curveTo")
            .method<&Graphics::arcTo>("arcTo")
            .method<&Graphics::drawEllipse>("drawEllipse")
            .method<&Graphics::drawCircle>("drawCircle")
            .method<&Graphics::drawRect>("drawRect");
    return info;
}

void Graphics::beginFill(int color, double alpha) {
    gfxBeginFill({.gfx = limnHandle, .color = color, .alpha = alpha});
}

void Graphics::beginBitmapFill(const std::shared_ptr<BitmapData>& bitmap,
                               const std::shared_ptr<geom::Matrix>& matrix, bool repeat,
                               bool smooth) {
    if (!bitmap) throw rt::Error("beginBitmapFill: bitmap is null");
    gfxBeginBitmapFill({.gfx = limnHandle,
                        .bitmap = bitmap->limnHandle,
                        .matrix = matrix,
                        .repeat = repeat,
                        .smooth = smooth});
}

void Graphics::beginGradientFill(GradientType type, const rt::ArrayPtr& colors,
                                 const rt::ArrayPtr& alphas, const rt::ArrayPtr& ratios,
                                 std::shared_ptr<geom::Matrix> matrix, SpreadMethod spreadMethod,
                                 InterpolationMethod interpolationMethod, double focalPointRatio) {
    if (!matrix) {
        matrix = std::make_shared<geom::Matrix>();
        matrix->createGradientBox(200, 200, std::nullopt, -100.0, -100.0);
    }
    gfxBeginGradientFill({.gfx = limnHandle,
                          .type = indexOf(type),
                          .colors = colors,
                          .alphas = alphas,
                          .ratios = ratios,
                          .matrix = matrix,
                          .spreadMethod = indexOf(spreadMethod),
                          .interpolationMethod = indexOf(interpolationMethod),
                          .focalPointRatio = focalPointRatio});
}

void Graphics::endFill() {
    gfxEndFill({.gfx = limnHandle});
}

void Graphics::clear() {
    gfxClear({.gfx = limnHandle});
}

void Graphics::lineStyle(std::optional<double> thickness, int color, double alpha,
                         bool pixelHinting, LineScaleMode scaleMode, CapsStyle caps,
                         JointStyle joints, double miterLimit) {
    gfxLineStyle({.gfx = limnHandle,
                  .thickness = orNull(thickness),
                  .color = color,
                  .alpha = alpha,
                  .pixelHinting = pixelHinting,
                  .scaleMode = scaleMode,
                  .caps = caps,
                  .joints = joints,
                  .miterLimit = miterLimit});
}

void Graphics::moveTo(double x, double y) {
    gfxMoveTo({.gfx = limnHandle, .x = x, .y = y});
}

void Graphics::lineTo(double x, double y) {
    gfxLineTo({.gfx = limnHandle, .x = x, .y = y});
}

void Graphics::curveTo(double controlX, double controlY, double anchorX, double anchorY) {
    gfxCurveTo({.gfx = limnHandle,
                .controlX = controlX,
                .controlY = controlY,
                .anchorX = anchorX,
                .anchorY = anchorY});
}

void Graphics::arcTo(double controlX, double controlY, double anchorX, double anchorY) {
    gfxArcTo({.gfx = limnHandle,
              .controlX = controlX,
              .controlY = controlY,
              .anchorX = anchorX,
              .anchorY = anchorY});
}

void Graphics::drawEllipse(double x, double y, double width, double height) {
    // The backend draws an ellipse from its centre and radii (as drawCircle
    // sends them), so the bounding box is converted here.
    gfxDrawEllipse({.gfx = limnHandle,
                    .x = x + width / 2,
                    .y = y + height / 2,
                    .radiusX = width / 2,
                    .radiusY = height / 2});
}

void Graphics::drawCircle(double x, double y, double radius) {
    gfxDrawEllipse({.gfx = limnHandle, .x = x, .y = y, .radiusX = radius, .radiusY = radius});
}

void Graphics::drawRect(double x, double y, double width, double height) {
    gfxDrawRect({.gfx = limnHandle, .x = x, .y = y, .width = width, .height = height});
}

void Graphics::drawRoundRect(double x, double y, double width, double height, double ellipseWidth,
                             std::optional<double> ellipseHeight) {
    gfxDrawRoundRect({.gfx = limnHandle,
                      .x = x,
                      .y = y,
                      .width = width,
                      .height = height,
                      .ellipseWidth = ellipseWidth,
                      .ellipseHeight = ellipseHeight.value_or(ellipseWidth)});
}

void Graphics::drawTriangles(const rt::ArrayPtr& vertices, const rt::ArrayPtr& indices,
                             const rt::ArrayPtr& uvtData, TriangleCulling culling) {
    gfxDrawTriangles({.gfx = limnHandle,
                      .vertices = vertices,
                      .indices = indices,
                      .uvtData = uvtData,
                      .culling = indexOf(culling)});
}

void Graphics::drawGraphicsData(const std::vector<std::shared_ptr<IGraphicsData>>& graphicsData) {
    auto handles = std::make_shared<rt::Array>();
    handles->reserve(graphicsData.size());
    for (const auto& datum : graphicsData) {
        if (!datum) throw rt::Error("drawGraphicsData: null element");
        handles->push_back(datum->limnHandle);
    }
    gfxDrawData({.gfx = limnHandle, .data = handles});
}

void Graphics::drawGraphicsDatum(const std::shared_ptr<IGraphicsData>& graphicsDatum) {
    if (!graphicsDatum) throw rt::Error("drawGraphicsDatum: datum is null");
    gfxDrawDatum({.gfx = limnHandle, .datum = graphicsDatum->limnHandle});
}

void Graphics::drawTiles(const std::shared_ptr<Tilesheet>& sheet, const rt::ArrayPtr& data,
                         bool smooth) {
    if (!sheet) throw rt::Error("drawTiles: sheet is null");
    beginBitmapFill(sheet->limnGetBitmap(), nullptr, false, smooth);
    gfxDrawTiles({.gfx = limnHandle, .sheet = sheet->limnHandle, .data = data});
}

void Graphics::drawPoints(const rt::ArrayPtr& xy, const rt::ArrayPtr& pointRGBA,
                          std::uint32_t defaultRGBA, double size) {
    gfxDrawPoints({.gfx = limnHandle,
                   .xy = xy,
                   .pointRGBA = pointRGBA,
                   .defaultRGBA = defaultRGBA,
                   .reserved = false,
                   .size = size});
}

std::uint32_t Graphics::RGBA(std::uint32_t rgb, std::uint32_t alpha) {
    return rgb | alpha << 24;
}

}  // namespace limn::display
