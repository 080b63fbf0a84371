#pragma once
// The styles of a drawing list: fills (solid, gradient, bitmap) and lines, as
// the drawing list stores them and the painter applies them.

#include <cstdint>
#include <memory>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/image/Surface.h"
#include "native/WireConstants.h"

namespace limn::sdl {

struct GradientStop {
    double offset = 0;  // 0..1 (the framework's ratio / 255)
    std::uint32_t rgb = 0;
    double alpha = 1;
};

enum class FillKind { None, Solid, Gradient, Bitmap };

// A gradient fill's own part: the box from -819.2 to 819.2 mapped through the
// fill's `matrix`.
struct GradientStyle {
    bool radial = false;
    std::vector<GradientStop> stops;
    int spread = 0;    // 0 pad, 1 repeat, 2 reflect
    double focal = 0;  // radial focal point, -1..1 along the x axis
};

struct FillStyle {
    FillKind kind = FillKind::None;
    // Solid.
    std::uint32_t rgb = 0;
    double alpha = 1;
    // Gradient (set for that kind only: the fills of most lists are solid or a picture).
    std::shared_ptr<const GradientStyle> gradient;
    // Bitmap: `matrix` maps bitmap pixels to local coordinates.
    std::shared_ptr<Surface> bitmap;
    bool repeat = true;
    bool smooth = false;
    Affine matrix;
};

struct LineStyle {
    bool enabled = false;  // false: no line (a null thickness)
    double thickness = 0;  // 0: a one-pixel hairline
    std::uint32_t rgb = 0;
    double alpha = 1;
    bool pixelHinting = false;
    native::wire::LineScaleMode scaleMode = native::wire::LineScaleMode::NORMAL;
    native::wire::CapsStyle caps = native::wire::CapsStyle::ROUND;
    native::wire::JointStyle joints = native::wire::JointStyle::ROUND;
    double miterLimit = 3;
};

}  // namespace limn::sdl
