#pragma once
// Finding what lies under a point. Coordinates are the root's (the stage's).
//
// pick() follows pointer rules: invisible nodes and nodes serving as masks
// don't hit; filled areas hit whatever their alpha; scroll rectangles and
// masks cut the hit area; an interactive node with mouseEnabled false takes
// no hit, nor does its non-interactive content, so the hit falls through to
// what lies below. Cached bounds are tested before shapes.

#include "backend/scene/SceneNode.h"

namespace limn::sdl {

class HitTester {
public:
    // The topmost node under (x, y) below `root`, or nullptr.
    [[nodiscard]] static SceneNode* pick(SceneNode& root, double x, double y);
    // Whether `node` covers (x, y): by its box, or with `shape` by what it
    // draws; with `children` its descendants count too.
    [[nodiscard]] static bool covers(SceneNode& node, double x, double y, bool shape,
                                     bool children);
};

}  // namespace limn::sdl
