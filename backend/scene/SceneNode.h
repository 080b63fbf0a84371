#pragma once
// The native display object behind every display-object handle.
//
// A node has a unique id (from 1, never reused while the process lives), a
// parent (non-owning; cleared when the parent goes) and children that it owns,
// in drawing order (index 0 at the bottom). Its local transform comes from x,
// y, scaleX, scaleY and rotation (degrees, clockwise on screen) or from a
// matrix set directly; alpha is the colour transform's alpha multiplier.
//
// Subclasses draw their own content (text fields do) by overriding
// drawContent(), hitContent() and contentBounds(); they call
// invalidateBounds() when their content's size changes. Bounds are cached and
// recomputed only after a change below the node.
//
//   auto node = std::make_shared<SceneNode>(NodeKind::Container);
//   node->setX(10);
//   node->graphics().drawRect(0, 0, 5, 5);

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <unordered_set>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/draw/DrawingList.h"
#include "backend/draw/RenderState.h"
#include "backend/scene/Canvas.h"
#include "native/TreeDepth.h"
#include "runtime/Object.h"
#include "runtime/TwoEndedArray.h"

namespace limn::sdl {

// Shape: plain display object (shapes, bitmaps); not interactive.
// Container: sprites and other containers; interactive.
// Interactive: an interactive leaf (text fields).
// Stage: the root of a stage.
enum class NodeKind { Shape, Container, Interactive, Stage };

class SceneNode : public rt::NativeObject, public std::enable_shared_from_this<SceneNode> {
public:
    explicit SceneNode(NodeKind kind = NodeKind::Shape);
    ~SceneNode() override;
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // Every property primitive starts here: a plain node, the common case, is
    // told by its type alone, without a search of the class hierarchy.
    static SceneNode* from(const rt::Dynamic& handle) {
        rt::NativeObject* raw = handle.handleAs<rt::NativeObject>();
        if (raw != nullptr && typeid(*raw) == typeid(SceneNode))
            return static_cast<SceneNode*>(raw);
        return handle.handleAs<SceneNode>();
    }
    // The live node with this id, or nullptr.
    [[nodiscard]] static SceneNode* findById(int id);

    [[nodiscard]] int id() const { return id_; }
    [[nodiscard]] NodeKind kind() const { return kind_; }
    [[nodiscard]] bool interactive() const { return kind_ != NodeKind::Shape; }

    // Tree. Adding a child that has a parent moves it; indices out of range
    // are ignored, and so is adding an ancestor, or a child whose subtree
    // would reach more than kMaxDepth levels below the root (the framework
    // refuses those with an error first), so every walk stays within the stack.
    static constexpr int kMaxDepth = native::kMaxTreeDepth;
    [[nodiscard]] SceneNode* parent() const { return parent_; }
    using Children = rt::TwoEndedArray<std::shared_ptr<SceneNode>>;
    [[nodiscard]] const Children& children() const {
        return family_ ? family_->children : kNoChildren;
    }
    void addChild(const std::shared_ptr<SceneNode>& child);
    // Levels below this node (0 for a leaf); stops counting past `limit`.
    [[nodiscard]] int subtreeHeight(int limit) const;
    void removeChildAt(int index);
    void removeChild(SceneNode* child);
    void setChildIndex(SceneNode* child, int index);
    void swapChildren(int first, int second);
    [[nodiscard]] int childIndex(const SceneNode* child) const;
    [[nodiscard]] SceneNode* root();

    // Transform, in the parent's coordinates.
    [[nodiscard]] double x() const { return matrix_.tx; }
    [[nodiscard]] double y() const { return matrix_.ty; }
    [[nodiscard]] double scaleX() const { return scaleX_; }
    [[nodiscard]] double scaleY() const { return scaleY_; }
    [[nodiscard]] double rotation() const { return rotation_; }
    void setX(double v);
    void setY(double v);
    void setScaleX(double v);
    void setScaleY(double v);
    void setRotation(double degrees);
    [[nodiscard]] const Affine& matrix() const { return matrix_; }
    // Keeps the matrix as given (skew included) until a property is set.
    void setMatrix(const Affine& m);
    // Local coordinates to the root's.
    [[nodiscard]] Affine concatenatedMatrix() const;

    // Size of the bounds in the parent's coordinates. Setting one scales the
    // node; a subclass with a box of its own may resize the box instead.
    [[nodiscard]] virtual double width();
    [[nodiscard]] virtual double height();
    virtual void setWidth(double w);
    virtual void setHeight(double h);

    // Look.
    [[nodiscard]] double alpha() const { return alpha_; }
    // Non-finite values are stored as 0, as positions and scales are.
    void setAlpha(double a);
    [[nodiscard]] ColorXf colorTransform() const {
        ColorXf c = rare_ ? rare_->color : ColorXf{};
        c.am = alpha_;
        return c;
    }
    void setColorTransform(const ColorXf& c);
    [[nodiscard]] ColorXf concatenatedColorTransform() const;
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool v);
    // BlendMode index: 0 normal, 2 multiply, 3 screen, 7 add, 11 erase ...
    [[nodiscard]] int blendMode() const { return blendMode_; }
    void setBlendMode(int mode);
    // Opaque background 0xRRGGBB drawn under the content's box; nullopt: none.
    [[nodiscard]] std::optional<std::uint32_t> background() const {
        return rare_ ? rare_->background : std::nullopt;
    }
    void setBackground(std::optional<std::uint32_t> rgb);
    // Shows only this box of the content (content coordinates), at the origin.
    [[nodiscard]] const std::optional<Bounds>& scrollRect() const {
        return rare_ ? rare_->scrollRect : kNone.scrollRect;
    }
    void setScrollRect(std::optional<Bounds> rect);
    // The content shows only where the mask node draws (in the mask's own
    // place in its tree). Not owned; a node used as a mask is not drawn itself.
    [[nodiscard]] std::shared_ptr<SceneNode> mask() const {
        return rare_ ? rare_->mask.lock() : nullptr;
    }
    void setMask(const std::shared_ptr<SceneNode>& mask);
    [[nodiscard]] bool isMask() const { return maskUsers_ > 0; }
    // Private copies of the framework's filter objects.
    [[nodiscard]] const std::vector<rt::ObjectPtr>& filters() const {
        return rare_ ? rare_->filters : kNone.filters;
    }
    void setFilters(std::vector<rt::ObjectPtr> filters);
    [[nodiscard]] const std::string& name() const { return rare_ ? rare_->name : kNone.name; }
    void setName(std::string name);
    [[nodiscard]] bool mouseEnabled() const { return mouseEnabled_; }
    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    // With cacheAsBitmap the renderer keeps the node's subtree drawn in a
    // surface of its own, drawn again only after a change inside it or to the
    // node's scale, rotation or skew (or the fraction of a pixel it sits at);
    // moving it by whole pixels, or changing its alpha, only composites it again.
    [[nodiscard]] bool cacheAsBitmap() const { return cacheAsBitmap_; }
    void setCacheAsBitmap(bool cache);
    // The retained drawing (nullptr until drawn, or after a change inside),
    // with the matrix it was drawn under (its target's pixels, translation
    // rounded out) and its place relative to that matrix's origin.
    struct BitmapCache {
        std::shared_ptr<Surface> surface;
        Affine matrix;
        bool quality = true;
        int x = 0, y = 0;
    };
    [[nodiscard]] BitmapCache& bitmapCache() { return rare().bitmapCache; }

    // The drawing list (made with the node, lives as long as its handle).
    [[nodiscard]] DrawingList& graphics() { return *graphics_; }
    [[nodiscard]] const std::shared_ptr<DrawingList>& graphicsHandle() const { return graphics_; }
    // Whether the drawing list is empty, and its single bitmap (see
    // DrawingList::singleBitmap()), kept with the node until the list
    // changes, so a frame reads them without touching the list.
    [[nodiscard]] bool drawingEmpty() {
        readDrawing();
        return drawingEmpty_;
    }
    [[nodiscard]] const FillStyle* singleBitmap() {
        readDrawing();
        return singleBitmap_;
    }
    // The single bitmap's picture and smoothing, kept on the node itself so
    // that drawing a moved picture reads nothing else of it.
    [[nodiscard]] Surface* singlePicture() {
        readDrawing();
        return singlePicture_;
    }
    [[nodiscard]] bool singleSmooth() const { return singleSmooth_; }
    [[nodiscard]] bool masked() const { return rare_ && !rare_->mask.expired(); }

    // Content drawn by a subclass, above the drawing list and below the
    // children; called only while contentBounds() is not empty. The canvas's
    // transform is state.matrix; the colour transform is the subclass's to
    // apply.
    virtual void drawContent(Canvas& canvas, const RenderState& state);
    // Whether a point in local coordinates touches the subclass's content.
    [[nodiscard]] virtual bool hitContent(double localX, double localY);
    // Local box of the subclass's content.
    [[nodiscard]] virtual Bounds contentBounds();

    // Keyboard focus, for subclasses that take text.
    [[nodiscard]] virtual bool takesKeyboardFocus() const { return false; }
    virtual void focusChanged(bool focused);
    // keyCode in the framework's codes; flags as in the native event record.
    virtual void keyInput(int keyCode, int charCode, bool down, int flags);
    virtual void textInput(const std::string& utf8);

    // Damage: tells the stage this node is on (if any) that what it shows has
    // changed or is about to, so the next frame redraws where it was and
    // where it will be. Every setter here calls it; subclasses call it when
    // their content changes.
    void changed();
    // Where the node was drawn on its stage's last frame (frame pixels,
    // filters included; empty when it drew nothing). Kept by the renderer.
    [[nodiscard]] const Bounds& drawnArea() const { return drawnArea_; }
    void setDrawnArea(const Bounds& area) { drawnArea_ = area; }
    // True the first time it is asked for this (stage, frame) pair.
    bool noteOnce(const void* stage, std::uint64_t frame);
    // Counts changes to masks (and their contents) that are not on a stage:
    // every stage redraws fully when it moves on.
    [[nodiscard]] static std::uint64_t looseMaskChanges();
    // Every live node that has filters or a scroll rectangle: their drawing
    // reads beyond a clip, or draws through one of its own.
    [[nodiscard]] static const std::unordered_set<SceneNode*>& groupedNodes();

    // The children's boxes in this node's coordinates, in drawing order, for
    // passing over children without touching them (a filtered child's box is
    // unbounded: its filters may draw anywhere). Kept up to date entry by
    // entry as children change; valid until the next change below this node.
    [[nodiscard]] const std::vector<Bounds>& childBoxes();
    // Whether the next childBoxes() measures every child again.
    [[nodiscard]] bool childBoxesStale() const {
        return !childBoxesValid_ || family_->moved.size() > family_->children.size() / 4;
    }

    // Bounds of content and children in local coordinates (scrollRect applied).
    [[nodiscard]] const Bounds& localBounds();
    // localBounds() through matrix().
    [[nodiscard]] const Bounds& boundsInParent();
    // Local box of the drawing list and the content alone.
    [[nodiscard]] Bounds ownBounds();

protected:
    // Marks this node's bounds, and those of its ancestors, for recomputing.
    void invalidateBounds();
    // Called on the root when `node` below it (or the root itself) changed;
    // `inMask` when the node is or lies inside a mask.
    virtual void descendantChanged(SceneNode& node, bool inMask);

private:
    void rebuildMatrix();
    void readDrawing();
    void noteGroupedDrawing();
    // Tells the parent that this node's entry in its childBoxes() is stale.
    void markBoxChanged();
    // The child list changed: every entry of childBoxes() is stale.
    void childListChanged();
    // Drops the retained drawings of this node (when `self`) and its ancestors.
    void dropCaches(bool self);
    void detachFromParent();
    // Removes children()[index], keeping the children's slot hints in step.
    void eraseChild(int index);
    void transformChanged();
    // The drawing list's change listener; `owner` is the node.
    static void drawingChanged(void* owner);

    // What every frame and every setter reads comes first, packed into a few
    // cache lines: a frame with thousands of moving nodes is bound by memory.
    // A move reads and writes the first two lines only.
    int id_;
    NodeKind kind_;
    bool visible_ = true;
    bool cacheAsBitmap_ = false;
    bool boundsValid_ = false;
    bool parentBoundsValid_ = false;
    bool boxMarked_ = false;
    bool childBoxesValid_ = false;
    bool mouseEnabled_ = true;
    bool drawingKnown_ = false;
    bool drawingEmpty_ = true;
    bool singleSmooth_ = false;
    int maskUsers_ = 0;
    SceneNode* parent_ = nullptr;
    // What few nodes have (see Rare below). Every setter asks it whether the
    // node is masked: it sits in the node's first line, beside the parent.
    struct Rare;
    std::unique_ptr<Rare> rare_;
    Affine matrix_;     // its translation is the node's x and y
    double alpha_ = 1;  // the colour transform's alpha multiplier; the rest is rare
    std::shared_ptr<DrawingList> graphics_;
    const FillStyle* singleBitmap_ = nullptr;  // inside graphics_, while drawingKnown_
    Surface* singlePicture_ = nullptr;         // singleBitmap_'s, while drawingKnown_
    Bounds localBounds_;
    Bounds drawnArea_;
    // What few nodes have, made by the first setter that needs it, so that
    // the many that never do stay small. A frame asks every node for its
    // filters and mask, and every change asks for the mask.
    struct Rare {
        std::weak_ptr<SceneNode> mask;
        std::vector<rt::ObjectPtr> filters;
        std::optional<std::uint32_t> background;
        std::optional<Bounds> scrollRect;
        std::string name;
        BitmapCache bitmapCache;
        ColorXf color;  // its alpha multiplier is alpha_
    };
    static const Rare kNone;
    Rare& rare();
    // Drops the retained drawing, if any.
    void dropBitmapCache() {
        if (rare_) rare_->bitmapCache.surface.reset();
    }
    int blendMode_ = 0;
    double scaleX_ = 1, scaleY_ = 1, rotation_ = 0;
    Bounds parentBounds_;
    const void* notedBy_ = nullptr;
    std::uint64_t notedFrame_ = 0;

    // This node's position in its parent's children, counted from the
    // parent's slotBase (removing the first child moves only the base); a
    // hint that childIndex checks, and widens from when it is stale.
    std::ptrdiff_t slot_ = 0;

    // What only a node that has had children keeps, made by its first child.
    struct Family {
        Children children;
        std::ptrdiff_t slotBase = 0;
        // childBoxes(), and the children whose entry is stale (while
        // childBoxesValid_; every one is a child: the list is dropped
        // whenever the child list changes).
        std::vector<Bounds> boxes;
        std::vector<SceneNode*> moved;
    };
    static const Children kNoChildren;
    std::unique_ptr<Family> family_;
    [[nodiscard]] std::ptrdiff_t slotBase() const { return family_ ? family_->slotBase : 0; }
};

}  // namespace limn::sdl
