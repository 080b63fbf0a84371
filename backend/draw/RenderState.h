#pragma once
// What the renderer knows while it draws one node, and the hooks through which
// other parts of the backend take part in drawing.
//
// Coordinates: "device" pixels are those of the surface being drawn into (the
// stage's frame, or a BitmapData for draw()).

#include <cairo.h>

#include <vector>

#include "backend/base/Geometry.h"
#include "runtime/Object.h"

namespace limn::sdl {

struct RenderState {
    Affine matrix;        // the node's local coordinates to device pixels
    ColorXf color;        // the concatenated colour transform (alpha included)
    Bounds clip;          // device box that rectangular clips leave visible
    bool quality = true;  // false: nearest-neighbour sampling everywhere
};

// Filters of a node (plain objects read by field name, e.g. "type",
// "distance", "color"), applied by the filter part of the backend.
struct FilterHooks {
    // Composites `rendered` (the node drawn alone, in device pixels) onto cr,
    // whose matrix is the identity, with the filters' effects. `area` is the
    // node's device box before the filters.
    void (*paint)(cairo_t* cr, cairo_pattern_t* rendered, const Bounds& area,
                  const std::vector<rt::ObjectPtr>& filters) = nullptr;
    // The device box that the filters may touch, given the node's box.
    Bounds (*grow)(const Bounds& area, const std::vector<rt::ObjectPtr>& filters) = nullptr;
};

// Installed once by the filter part; without it filters are ignored.
void setFilterHooks(FilterHooks hooks);
[[nodiscard]] const FilterHooks& filterHooks();

}  // namespace limn::sdl
