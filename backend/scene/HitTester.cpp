#include "backend/scene/HitTester.h"

namespace limn::sdl {

namespace {

struct Point {
    double x, y;
};

Point map(const Affine& m, Point p) {
    return {m.mapX(p.x, p.y), m.mapY(p.x, p.y)};
}

bool drawsAt(SceneNode& node, Point local) {
    return node.graphics().hit(local.x, local.y) || node.hitContent(local.x, local.y);
}

// Whether the shape of a node and its visible descendants covers a point in
// its local coordinates.
bool shapeCovers(SceneNode& node, Point local) {
    if (!node.localBounds().contains(local.x, local.y)) return false;
    Point content = local;
    if (const auto& scroll = node.scrollRect()) {
        if (local.x < 0 || local.y < 0 || local.x >= scroll->width() ||
            local.y >= scroll->height()) {
            return false;
        }
        content = {local.x + scroll->x0, local.y + scroll->y0};
    }
    for (const auto& child : node.children()) {
        if (!child->visible() || child->isMask()) continue;
        if (shapeCovers(*child, map(child->matrix().inverse(), content))) return true;
    }
    return drawsAt(node, content);
}

bool insideMask(SceneNode& node, Point global) {
    auto mask = node.mask();
    if (!mask) return true;
    return shapeCovers(*mask, map(mask->concatenatedMatrix().inverse(), global));
}

// `local` is in the node's coordinates, `global` in the root's; `disabled`
// when the node's own content may not take the hit.
SceneNode* pickIn(SceneNode& node, Point local, Point global, bool disabled) {
    Point content = local;
    if (const auto& scroll = node.scrollRect()) {
        if (local.x < 0 || local.y < 0 || local.x >= scroll->width() ||
            local.y >= scroll->height()) {
            return nullptr;
        }
        content = {local.x + scroll->x0, local.y + scroll->y0};
    }
    if (!insideMask(node, global)) return nullptr;
    const auto& children = node.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        SceneNode& child = **it;
        if (!child.visible() || child.isMask()) continue;
        if (!child.boundsInParent().contains(content.x, content.y)) continue;
        const bool childDisabled = child.interactive() ? !child.mouseEnabled() : disabled;
        if (SceneNode* hit =
                pickIn(child, map(child.matrix().inverse(), content), global, childDisabled)) {
            return hit;
        }
    }
    if (!disabled && drawsAt(node, content)) return &node;
    return nullptr;
}

}  // namespace

SceneNode* HitTester::pick(SceneNode& root, double x, double y) {
    if (!root.visible()) return nullptr;
    const Point global{x, y};
    return pickIn(root, map(root.matrix().inverse(), global), global,
                  root.interactive() && !root.mouseEnabled());
}

bool HitTester::covers(SceneNode& node, double x, double y, bool shape, bool children) {
    const Point local = map(node.concatenatedMatrix().inverse(), {x, y});
    if (!shape) {
        const Bounds box = children ? node.localBounds() : node.ownBounds();
        return box.contains(local.x, local.y);
    }
    if (children) return shapeCovers(node, local);
    return drawsAt(node, local);
}

}  // namespace limn::sdl
