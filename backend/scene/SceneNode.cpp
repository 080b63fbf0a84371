#include "backend/scene/SceneNode.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_map>

#include "runtime/NearSearch.h"

namespace limn::sdl {

namespace {

std::unordered_map<int, SceneNode*>& registry() {
    static std::unordered_map<int, SceneNode*> nodes;
    return nodes;
}

int nextId() {
    static int next = 1;
    return next++;
}

double finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

std::uint64_t looseMasks = 0;

std::unordered_set<SceneNode*>& filtered() {
    static std::unordered_set<SceneNode*> nodes;
    return nodes;
}

}  // namespace

SceneNode::SceneNode(NodeKind kind)
    : id_(nextId()), kind_(kind), graphics_(std::make_shared<DrawingList>()) {
    registry()[id_] = this;
    graphics_->setChangeListener(&SceneNode::drawingChanged, this);
}

void SceneNode::drawingChanged(void* owner) {
    auto& node = *static_cast<SceneNode*>(owner);
    node.drawingKnown_ = false;
    node.singleBitmap_ = nullptr;
    node.singlePicture_ = nullptr;
    node.dropCaches(true);
    node.changed();
    node.invalidateBounds();
}

SceneNode::~SceneNode() {
    registry().erase(id_);
    filtered().erase(this);
    // The nodes it masked show unmasked from now on.
    if (maskUsers_ > 0) ++looseMasks;
    graphics_->setChangeListener(nullptr, nullptr);
    // The mask it used may show again, wherever it is.
    if (auto m = mask()) {
        --m->maskUsers_;
        ++looseMasks;
    }
    for (auto& child : children()) child->parent_ = nullptr;
}

SceneNode* SceneNode::findById(int id) {
    auto it = registry().find(id);
    return it == registry().end() ? nullptr : it->second;
}

void SceneNode::addChild(const std::shared_ptr<SceneNode>& child) {
    if (!child || child.get() == this) return;
    // Never make a node its own ancestor, nor a tree deeper than the limit.
    int level = 0;
    for (SceneNode* p = parent_; p; p = p->parent_) {
        if (p == child.get() || ++level >= kMaxDepth) return;
    }
    const int room = kMaxDepth - level - 1;
    if (child->subtreeHeight(room) > room) return;
    auto keep = child;
    keep->detachFromParent();
    keep->parent_ = this;
    if (!family_) family_ = std::make_unique<Family>();
    keep->slot_ = static_cast<std::ptrdiff_t>(family_->children.size()) + family_->slotBase;
    childListChanged();
    family_->children.push_back(std::move(keep));
    invalidateBounds();
    child->changed();
}

int SceneNode::subtreeHeight(int limit) const {
    // Depth first with a stack of its own: the subtree may be deep.
    std::vector<std::pair<const SceneNode*, std::size_t>> stack{{this, 0}};
    int deepest = 0;
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next == node->children().size()) {
            stack.pop_back();
            continue;
        }
        const SceneNode* child = node->children()[next++].get();
        deepest = std::max(deepest, static_cast<int>(stack.size()));
        if (deepest > limit) return deepest;
        if (!child->children().empty()) stack.emplace_back(child, 0);
    }
    return deepest;
}

void SceneNode::detachFromParent() {
    if (!parent_) return;
    changed();
    SceneNode* old = parent_;
    const int index = old->childIndex(this);
    parent_ = nullptr;
    if (index >= 0) old->eraseChild(index);
    old->invalidateBounds();
}

void SceneNode::removeChildAt(int index) {
    if (index < 0 || index >= static_cast<int>(children().size())) return;
    auto child = children()[index];
    child->changed();
    child->parent_ = nullptr;
    eraseChild(index);
    invalidateBounds();
}

void SceneNode::removeChild(SceneNode* child) {
    removeChildAt(childIndex(child));
}

void SceneNode::eraseChild(int index) {
    childListChanged();
    auto& children = family_->children;
    children.erase(children.begin() + index);
    if (index == 0) ++family_->slotBase;
}

int SceneNode::childIndex(const SceneNode* child) const {
    if (!child || child->parent_ != this) return -1;
    const std::ptrdiff_t i = rt::searchNear(children(), child->slot_ - slotBase(),
                                            [child](const auto& c) { return c.get() == child; });
    if (i >= 0) children()[i]->slot_ = i + slotBase();
    return static_cast<int>(i);
}

void SceneNode::setChildIndex(SceneNode* child, int index) {
    const int from = childIndex(child);
    const int count = static_cast<int>(children().size());
    if (from < 0 || index < 0 || index >= count || from == index) return;
    auto& children = family_->children;
    auto keep = children[from];
    keep->changed();
    keep->slot_ = index + family_->slotBase;
    childListChanged();
    children.erase(children.begin() + from);
    children.insert(children.begin() + index, std::move(keep));
}

void SceneNode::swapChildren(int first, int second) {
    const int count = static_cast<int>(children().size());
    if (first < 0 || second < 0 || first >= count || second >= count) return;
    auto& children = family_->children;
    children[first]->changed();
    children[second]->changed();
    childListChanged();
    std::swap(children[first], children[second]);
    children[first]->slot_ = first + family_->slotBase;
    children[second]->slot_ = second + family_->slotBase;
}

SceneNode* SceneNode::root() {
    SceneNode* n = this;
    while (n->parent_) n = n->parent_;
    return n;
}

void SceneNode::setX(double v) {
    matrix_.tx = finite(v);
    transformChanged();
}

void SceneNode::setY(double v) {
    matrix_.ty = finite(v);
    transformChanged();
}

void SceneNode::setScaleX(double v) {
    scaleX_ = finite(v);
    rebuildMatrix();
}

void SceneNode::setScaleY(double v) {
    scaleY_ = finite(v);
    rebuildMatrix();
}

void SceneNode::setRotation(double degrees) {
    degrees = std::fmod(finite(degrees), 360.0);
    if (degrees > 180) degrees -= 360;
    if (degrees <= -180) degrees += 360;
    rotation_ = degrees;
    rebuildMatrix();
}

void SceneNode::rebuildMatrix() {
    const double r = rotation_ * std::numbers::pi / 180.0;
    const double cs = rotation_ == 0 ? 1.0 : std::cos(r);
    const double sn = rotation_ == 0 ? 0.0 : std::sin(r);
    matrix_ = {cs * scaleX_, sn * scaleX_, -sn * scaleY_, cs * scaleY_, matrix_.tx, matrix_.ty};
    transformChanged();
}

void SceneNode::setMatrix(const Affine& m) {
    matrix_ = {finite(m.a), finite(m.b), finite(m.c), finite(m.d), finite(m.tx), finite(m.ty)};
    scaleX_ = std::hypot(matrix_.a, matrix_.b);
    scaleY_ = std::hypot(matrix_.c, matrix_.d);
    if (matrix_.determinant() < 0) scaleY_ = -scaleY_;
    rotation_ = scaleX_ == 0 ? 0.0 : std::atan2(matrix_.b, matrix_.a) * 180.0 / std::numbers::pi;
    transformChanged();
}

void SceneNode::readDrawing() {
    if (drawingKnown_) return;
    drawingEmpty_ = graphics_->empty();
    singleBitmap_ = drawingEmpty_ ? nullptr : graphics_->singleBitmap();
    singlePicture_ = singleBitmap_ ? singleBitmap_->bitmap.get() : nullptr;
    singleSmooth_ = singleBitmap_ && singleBitmap_->smooth;
    drawingKnown_ = true;
}

void SceneNode::transformChanged() {
    changed();
    parentBoundsValid_ = false;
    markBoxChanged();
    if (parent_) parent_->invalidateBounds();
}

Affine SceneNode::concatenatedMatrix() const {
    Affine m = matrix_;
    for (const SceneNode* p = parent_; p; p = p->parent_) {
        Affine local = p->matrix_;
        if (const auto& scroll = p->scrollRect())
            local = local * Affine::translation(-scroll->x0, -scroll->y0);
        m = local * m;
    }
    return m;
}

ColorXf SceneNode::concatenatedColorTransform() const {
    ColorXf c = colorTransform();
    for (const SceneNode* p = parent_; p; p = p->parent_) c = p->colorTransform() * c;
    return c;
}

// Bounds pushed past the range of doubles span infinity to infinity, whose
// difference is NaN: such a size reads as 0.
double SceneNode::width() {
    const double w = boundsInParent().width();
    return std::isnan(w) ? 0.0 : w;
}
double SceneNode::height() {
    const double h = boundsInParent().height();
    return std::isnan(h) ? 0.0 : h;
}

void SceneNode::setWidth(double w) {
    const double own = localBounds().width();
    if (own <= 0 || !std::isfinite(w)) return;
    setScaleX(w / own);
}

void SceneNode::setHeight(double h) {
    const double own = localBounds().height();
    if (own <= 0 || !std::isfinite(h)) return;
    setScaleY(h / own);
}

void SceneNode::setAlpha(double a) {
    alpha_ = finite(a);
    changed();
}

void SceneNode::setColorTransform(const ColorXf& c) {
    const ColorXf color{finite(c.rm), finite(c.gm), finite(c.bm), 1,
                        finite(c.ro), finite(c.go), finite(c.bo), finite(c.ao)};
    alpha_ = finite(c.am);
    if (rare_ || !color.isIdentity()) rare().color = color;
    changed();
}

const SceneNode::Rare SceneNode::kNone;
const SceneNode::Children SceneNode::kNoChildren;

SceneNode::Rare& SceneNode::rare() {
    if (!rare_) rare_ = std::make_unique<Rare>();
    return *rare_;
}

void SceneNode::setName(std::string name) {
    if (!name.empty() || rare_) rare().name = std::move(name);
}

void SceneNode::setBlendMode(int mode) {
    blendMode_ = mode;
    changed();
}

void SceneNode::setVisible(bool v) {
    visible_ = v;
    changed();
    if (parent_) parent_->invalidateBounds();
}

void SceneNode::setBackground(std::optional<std::uint32_t> rgb) {
    dropCaches(true);
    if (rgb || rare_) rare().background = rgb;
    changed();
}

void SceneNode::noteGroupedDrawing() {
    if (filters().empty() && !scrollRect()) {
        filtered().erase(this);
    } else {
        filtered().insert(this);
    }
}

void SceneNode::setScrollRect(std::optional<Bounds> rect) {
    dropCaches(true);
    if (rect || rare_) rare().scrollRect = rect;
    noteGroupedDrawing();
    changed();
    invalidateBounds();
}

void SceneNode::setMask(const std::shared_ptr<SceneNode>& mask) {
    changed();
    if (masked() || mask) ++looseMasks;
    if (auto old = this->mask()) {
        old->changed();
        --old->maskUsers_;
    }
    if (mask) mask->changed();
    if (mask || rare_) rare().mask = mask;
    if (mask && mask.get() != this) ++mask->maskUsers_;
    if (mask.get() == this) rare().mask.reset();
}

void SceneNode::setFilters(std::vector<rt::ObjectPtr> filters) {
    dropCaches(true);
    if (!filters.empty() || rare_) rare().filters = std::move(filters);
    noteGroupedDrawing();
    markBoxChanged();
    changed();
}

void SceneNode::changed() {
    bool inMask = false;
    SceneNode* top = this;
    // A change inside a cached subtree shows as a change of all of it.
    SceneNode* shown = this;
    // Masked drawing and mask shapes are redrawn whole: the renderer draws
    // them in groups whose extent a damage box must not cut.
    for (SceneNode* n = this; n; n = n->parent_) {
        inMask = inMask || n->maskUsers_ > 0 || n->masked();
        if (n != this && n->cacheAsBitmap_) {
            n->dropBitmapCache();
            shown = n;
        }
        top = n;
    }
    // Text fields change only through changed(); their own cache goes too.
    if (kind_ == NodeKind::Interactive) dropBitmapCache();
    if (inMask && top->kind_ != NodeKind::Stage) ++looseMasks;
    top->descendantChanged(*shown, inMask);
}

void SceneNode::dropCaches(bool self) {
    for (SceneNode* n = self ? this : parent_; n; n = n->parent_) n->dropBitmapCache();
}

void SceneNode::setCacheAsBitmap(bool cache) {
    if (cache == cacheAsBitmap_) return;
    changed();
    cacheAsBitmap_ = cache;
    // Made here, not by the first frame that draws the cache.
    if (cache || rare_) rare().bitmapCache = {};
}

void SceneNode::descendantChanged(SceneNode&, bool) {}

bool SceneNode::noteOnce(const void* stage, std::uint64_t frame) {
    if (notedBy_ == stage && notedFrame_ == frame) return false;
    notedBy_ = stage;
    notedFrame_ = frame;
    return true;
}

const std::unordered_set<SceneNode*>& SceneNode::groupedNodes() {
    return filtered();
}

std::uint64_t SceneNode::looseMaskChanges() {
    return looseMasks;
}

void SceneNode::drawContent(Canvas&, const RenderState&) {}
bool SceneNode::hitContent(double, double) {
    return false;
}
Bounds SceneNode::contentBounds() {
    return {};
}
void SceneNode::focusChanged(bool) {}
void SceneNode::keyInput(int, int, bool, int) {}
void SceneNode::textInput(const std::string&) {}

void SceneNode::invalidateBounds() {
    for (SceneNode* n = this; n; n = n->parent_) {
        n->markBoxChanged();
        const bool wasValid = n->boundsValid_ || n->parentBoundsValid_;
        n->boundsValid_ = false;
        n->parentBoundsValid_ = false;
        if (!wasValid && n != this) break;
    }
}

void SceneNode::markBoxChanged() {
    if (!parent_ || boxMarked_ || !parent_->childBoxesValid_) return;
    boxMarked_ = true;
    parent_->family_->moved.push_back(this);
}

void SceneNode::childListChanged() {
    if (!childBoxesValid_) return;
    childBoxesValid_ = false;
    for (SceneNode* child : family_->moved) child->boxMarked_ = false;
    family_->moved.clear();
}

const std::vector<Bounds>& SceneNode::childBoxes() {
    const auto boxOf = [](SceneNode& child) {
        constexpr double kAll = std::numeric_limits<double>::infinity();
        return child.filters().empty() ? child.boundsInParent() : Bounds{-kAll, -kAll, kAll, kAll};
    };
    // Past a quarter of the children, one pass over all of them is cheaper.
    if (childBoxesValid_ && childBoxesStale()) childListChanged();
    if (!childBoxesValid_) {
        if (!family_) family_ = std::make_unique<Family>();
        const Children& children = family_->children;
        auto& boxes = family_->boxes;
        boxes.resize(children.size());
        for (std::size_t i = 0; i < children.size(); ++i) boxes[i] = boxOf(*children[i]);
        childBoxesValid_ = true;
        return boxes;
    }
    auto& boxes = family_->boxes;
    for (SceneNode* child : family_->moved) {
        child->boxMarked_ = false;
        const int index = childIndex(child);
        if (index >= 0) boxes[static_cast<std::size_t>(index)] = boxOf(*child);
    }
    family_->moved.clear();
    return boxes;
}

Bounds SceneNode::ownBounds() {
    Bounds b = graphics_->bounds();
    b.add(contentBounds());
    return b;
}

const Bounds& SceneNode::localBounds() {
    if (boundsValid_) return localBounds_;
    Bounds b = ownBounds();
    for (auto& child : children()) {
        if (child->visible_) b.add(child->boundsInParent());
    }
    if (const auto& scroll = scrollRect()) {
        // Content shows from the rectangle's corner, placed at the origin.
        b = b.intersect(*scroll);
        if (!b.empty()) b = b.transformed(Affine::translation(-scroll->x0, -scroll->y0));
        if (b.empty()) b = {};
    }
    localBounds_ = b;
    boundsValid_ = true;
    return localBounds_;
}

const Bounds& SceneNode::boundsInParent() {
    if (parentBoundsValid_ && boundsValid_) return parentBounds_;
    parentBounds_ = localBounds().transformed(matrix_);
    parentBoundsValid_ = true;
    return parentBounds_;
}

}  // namespace limn::sdl
