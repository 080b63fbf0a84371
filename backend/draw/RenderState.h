#pragma once
// What the renderer knows while it draws one node.
//
// Coordinates: "device" pixels are those of the surface being drawn into (the
// stage's frame, or a BitmapData for draw()).

#include "backend/base/Geometry.h"

namespace limn::sdl {

struct RenderState {
    Affine matrix;        // the node's local coordinates to device pixels
    ColorXf color;        // the concatenated colour transform (alpha included)
    Bounds clip;          // device box that rectangular clips leave visible
    bool quality = true;  // false: nearest-neighbour sampling everywhere
};

}  // namespace limn::sdl
