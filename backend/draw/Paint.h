#pragma once
// Filling and stroking a path on a canvas with the drawing list's styles,
// under a colour transform.

#include <cstdint>
#include <memory>

#include "backend/base/Geometry.h"
#include "backend/draw/DrawStyle.h"
#include "backend/draw/RenderState.h"
#include "backend/image/Surface.h"
#include "backend/scene/Canvas.h"

namespace limn::sdl {

// A bitmap fill's picture with a colour transform applied, kept between
// frames while the picture and the transform stay the same.
struct FillCache {
    std::shared_ptr<Surface> tinted;
    const Surface* source = nullptr;
    std::uint64_t version = 0;
    ColorXf color;
};

// The picture with every pixel passed through the colour transform (a new
// surface; nullptr when it can't be made).
std::shared_ptr<Surface> tintedCopy(Surface& source, const ColorXf& color);

// Cap, join, miter limit and width (a zero width as one pixel), in the
// line's own coordinates.
[[nodiscard]] StrokeStyle strokeStyleOf(const LineStyle& line);
// The canvas's transform is state.matrix.
void fillPath(Canvas& canvas, const CanvasPath& path, FillRule rule, const FillStyle& fill,
              const RenderState& state, FillCache& cache);
void strokePath(Canvas& canvas, const CanvasPath& path, const LineStyle& line,
                const RenderState& state);

}  // namespace limn::sdl
