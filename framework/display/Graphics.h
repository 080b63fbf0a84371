#pragma once
// The drawing list of one display object. Each call appends one command to the
// list the backend keeps (drawTiles appends two); clear() empties it. The
// framework keeps no copy: fill and line state live in the backend.
//
// Units are pixels in the owner's coordinates; colours are 0xRRGGBB ints,
// alphas 0..1. A Graphics is obtained only from a display object's `graphics`.
//
//   auto& g = *sprite->limnGetGraphics();
//   g.beginFill(0xFF0000);
//   g.drawRect(0, 0, 100, 20);
//   g.endFill();

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/display/CapsStyle.h"
#include "framework/display/GradientType.h"
#include "framework/display/InterpolationMethod.h"
#include "framework/display/JointStyle.h"
#include "framework/display/LineScaleMode.h"
#include "framework/display/SpreadMethod.h"
#include "framework/display/TriangleCulling.h"
#include "framework/geom/Matrix.h"
#include "runtime/Object.h"

namespace limn::display {

class BitmapData;
class IGraphicsData;
class Tilesheet;

class Graphics : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit Graphics(const rt::Dynamic& handle) : limnHandle(handle) {}

    void beginFill(int color, double alpha = 1.0);
    // Throws rt::Error when `bitmap` is null.
    void beginBitmapFill(const std::shared_ptr<BitmapData>& bitmap,
                         const std::shared_ptr<geom::Matrix>& matrix = nullptr, bool repeat = true,
                         bool smooth = false);
    // Without a matrix the gradient spans a 200 x 200 box centred on the origin.
    void beginGradientFill(GradientType type, const rt::ArrayPtr& colors,
                           const rt::ArrayPtr& alphas, const rt::ArrayPtr& ratios,
                           std::shared_ptr<geom::Matrix> matrix = nullptr,
                           SpreadMethod spreadMethod = SpreadMethod::PAD,
                           InterpolationMethod interpolationMethod = InterpolationMethod::RGB,
                           double focalPointRatio = 0.0);
    // From C++, the lists as plain values:
    // beginGradientFill(GradientType::LINEAR, {0xFF8A00, 0xE52E71}, {1.0, 1.0}, {0, 255}, box).
    void beginGradientFill(GradientType type, const std::vector<int>& colors,
                           const std::vector<double>& alphas, const std::vector<int>& ratios,
                           std::shared_ptr<geom::Matrix> matrix = nullptr,
                           SpreadMethod spreadMethod = SpreadMethod::PAD,
                           InterpolationMethod interpolationMethod = InterpolationMethod::RGB,
                           double focalPointRatio = 0.0) {
        beginGradientFill(type, arrayOf(colors), arrayOf(alphas), arrayOf(ratios),
                          std::move(matrix), spreadMethod, interpolationMethod, focalPointRatio);
    }
    void endFill();
    void clear();
    // No thickness: no line.
    void lineStyle(std::optional<double> thickness = std::nullopt, int color = 0,
                   double alpha = 1.0, bool pixelHinting = false,
                   LineScaleMode scaleMode = LineScaleMode::NORMAL,
                   CapsStyle caps = CapsStyle::ROUND, JointStyle joints = JointStyle::ROUND,
                   double miterLimit = 3);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void curveTo(double controlX, double controlY, double anchorX, double anchorY);
    void arcTo(double controlX, double controlY, double anchorX, double anchorY);
    void drawEllipse(double x, double y, double width, double height);
    void drawCircle(double x, double y, double radius);
    void drawRect(double x, double y, double width, double height);
    // No ellipseHeight: the corners are ellipseWidth in both directions.
    void drawRoundRect(double x, double y, double width, double height, double ellipseWidth,
                       std::optional<double> ellipseHeight = std::nullopt);
    void drawTriangles(const rt::ArrayPtr& vertices, const rt::ArrayPtr& indices = nullptr,
                       const rt::ArrayPtr& uvtData = nullptr,
                       TriangleCulling culling = TriangleCulling::NONE);
    // Throws rt::Error for a null element.
    void drawGraphicsData(const std::vector<std::shared_ptr<IGraphicsData>>& graphicsData);
    void drawGraphicsDatum(const std::shared_ptr<IGraphicsData>& graphicsDatum);
    // Fills with the sheet's picture, then draws the tiles `data` lists.
    // Throws rt::Error when `sheet` is null.
    void drawTiles(const std::shared_ptr<Tilesheet>& sheet, const rt::ArrayPtr& data,
                   bool smooth = false);
    // From C++, the x, y, tile triples as plain numbers.
    void drawTiles(const std::shared_ptr<Tilesheet>& sheet, const std::vector<int>& data,
                   bool smooth = false) {
        drawTiles(sheet, arrayOf(data), smooth);
    }
    void drawPoints(const rt::ArrayPtr& xy, const rt::ArrayPtr& pointRGBA = nullptr,
                    std::uint32_t defaultRGBA = 0xFFFFFFFF, double size = -1.0);

    // An ARGB colour for drawPoints: rgb with `alpha` in the top byte.
    [[nodiscard]] static std::uint32_t RGBA(std::uint32_t rgb, std::uint32_t alpha = 0xFF);

    rt::Dynamic limnHandle;

private:
    template <class T>
    [[nodiscard]] static rt::ArrayPtr arrayOf(const std::vector<T>& values) {
        return std::make_shared<rt::Array>(values.begin(), values.end());
    }
};

}  // namespace limn::display
