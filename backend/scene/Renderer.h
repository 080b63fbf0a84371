#pragma once
// Draws a tree of scene nodes on a Canvas: transforms, colour transforms and
// alpha multiplied down the tree, visibility, blend modes, opaque
// backgrounds, scroll rectangles, masks and filters. A node that is a single
// bitmap, drawn straight into the target, is blitted under its matrix (one
// composite per bitmap) when the canvas can.
//
// Nodes whose matrix on the target is not finite, cannot be inverted or is
// beyond any drawable size are skipped with their subtrees. Nesting deeper
// than kMaxDepth below the root is not drawn.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/image/Surface.h"
#include "backend/scene/Canvas.h"
#include "backend/scene/SceneNode.h"
#include "native/TreeDepth.h"

namespace limn::sdl {

struct RenderOptions {
    Affine base;                 // the root's coordinates to the target's pixels
    ColorXf color;               // applied to everything drawn
    std::optional<Bounds> clip;  // target pixels that may change (default: all)
    // Target pixels that matter (default: all of clip): drawing that cannot
    // reach them may be skipped, but what is drawn is drawn whole, exactly as
    // without this box, and may touch pixels outside it.
    std::optional<Bounds> cull;
    int blendMode = 0;               // how the whole drawing meets the target
    bool applyRootTransform = true;  // false: the root's own matrix is left out
    bool applyRootColor = true;      // false: the root's own colour transform is left out
    bool quality = true;             // false: nearest-neighbour sampling
    bool recordAreas = false;        // true: keep each node's drawnArea() (stage frames)
};

class Renderer {
public:
    static constexpr int kMaxDepth = native::kMaxTreeDepth;

    // Drawing this close to a band of rows (in target pixels) is drawn with
    // it: shape bounds are exact only up to antialiasing and line joins.
    static constexpr double kCullMargin = 2;
    using RowScratch = std::vector<std::shared_ptr<Surface>>;

    // Draws `root` and its descendants over what the target holds.
    static void render(SceneNode& root, Surface& target, const RenderOptions& options);
    // The same on any canvas (its pixels are the target's), whose transform
    // is the identity; false when nothing was drawn at all.
    static bool render(SceneNode& root, Canvas& canvas, const RenderOptions& options);
    // Draws the rows of `bands` (boxes across the target's whole width) into
    // the target exactly as a whole redraw would draw them: each band is
    // cleared by `clear` and drawn whole into a scratch surface of the
    // target's size, skipping what cannot reach it, then its rows are copied.
    // With `threads` > 1 the rows are split into parts drawn side by side on
    // the band pool, when the tree allows it (no filters or scroll
    // rectangles); the tree must not change meanwhile. What those parts draw
    // is listed first by one walk of the tree; when it is pictures alone,
    // they are composited straight into the target's rows, which `clear`
    // then clears on the pool's threads, each its own rows. `scratch` keeps
    // the surfaces between calls. False when a scratch surface can't be made.
    static bool renderRows(SceneNode& root, Surface& target, const RenderOptions& options,
                           const std::vector<Bounds>& bands, int threads, RowScratch& scratch,
                           const std::function<void(Surface&, const Bounds&)>& clear);
    // The target box that `node` (below `root`) covers when `root` is drawn
    // with `base`: its bounds through its matrices, spread by the filters of
    // the node and its ancestors.
    [[nodiscard]] static Bounds areaOf(SceneNode& node, const Affine& base);
    // `area` spread by the filters of the ancestors of `node`.
    [[nodiscard]] static Bounds spreadByAncestors(SceneNode& node, Bounds area);
};

}  // namespace limn::sdl
