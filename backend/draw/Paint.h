#pragma once
// Filling and stroking the current cairo path with the drawing list's styles,
// under a colour transform.

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "backend/base/Geometry.h"
#include "backend/draw/DrawStyle.h"
#include "backend/draw/RenderState.h"
#include "backend/image/Surface.h"

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

// Sets cap, join, miter limit and width (a zero width as one pixel).
void applyLine(cairo_t* cr, const LineStyle& line);
// Fill and stroke consume cr's current path.
void fillPath(cairo_t* cr, const FillStyle& fill, const RenderState& state, FillCache& cache);
void strokePath(cairo_t* cr, const LineStyle& line, const RenderState& state);

}  // namespace limn::sdl
