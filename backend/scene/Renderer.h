#pragma once
// Draws a tree of scene nodes into a surface with cairo: transforms, colour
// transforms and alpha multiplied down the tree, visibility, blend modes,
// opaque backgrounds, scroll rectangles, masks and filters (through the
// filter hooks). A bitmap placed at a whole-pixel offset without scaling is
// copied straight through pixman.

#include <optional>

#include "backend/base/Geometry.h"
#include "backend/image/Surface.h"
#include "backend/scene/SceneNode.h"

namespace limn::sdl {

struct RenderOptions {
    Affine base;                     // the root's coordinates to the target's pixels
    ColorXf color;                   // applied to everything drawn
    std::optional<Bounds> clip;      // target pixels that may change (default: all)
    int blendMode = 0;               // how the whole drawing meets the target
    bool applyRootTransform = true;  // false: the root's own matrix is left out
    bool quality = true;             // false: nearest-neighbour sampling
};

class Renderer {
public:
    // Draws `root` and its descendants over what the target holds.
    static void render(SceneNode& root, Surface& target, const RenderOptions& options);
};

}  // namespace limn::sdl
