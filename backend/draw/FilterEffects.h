#pragma once
// Filters applied by the renderer to a node that has filters. Filters chain
// in order, each working on the result of the one before; kinds other than
// drop shadows are ignored.
//
// The renderer hands paint() the node drawn alone in the canvas's innermost
// layer and the node's device box; paint() leaves the filtered result in
// that layer, within the clip.

#include <vector>

#include "backend/base/Geometry.h"
#include "backend/scene/Canvas.h"
#include "runtime/Object.h"

namespace limn::sdl {

class FilterEffects {
public:
    // Largest filtered picture made at once, per side, in pixels.
    static constexpr int kMaxSide = 8192;

    static void paint(Canvas& canvas, const Bounds& area,
                      const std::vector<rt::ObjectPtr>& filters);
    [[nodiscard]] static Bounds grow(const Bounds& area, const std::vector<rt::ObjectPtr>& filters);
    // The same for one filter record (a rectangle for generateFilterRect).
    [[nodiscard]] static Bounds growOne(const Bounds& area, const rt::Dynamic& filter);
};

}  // namespace limn::sdl
