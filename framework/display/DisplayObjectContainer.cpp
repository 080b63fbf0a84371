#include "framework/display/DisplayObjectContainer.h"

#include <algorithm>

#include "framework/display/BroadcastIndex.h"
#include "framework/display/IdIndex.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "native/Call.h"
#include "runtime/Error.h"
#include "runtime/NearSearch.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_doc_add_child> addChildPrim;
const native::Call<native::wire::limn_doc_remove_child> removeChildPrim;
const native::Call<native::wire::limn_doc_set_child_index> setChildIndexPrim;
const native::Call<native::wire::limn_doc_swap_children> swapChildrenPrim;

const char* const kTooDeep = "addChild: the display tree would be more than 1000 levels deep";
static_assert(DisplayObjectContainer::kMaxDepth == 1000, "kTooDeep names the limit");

std::string invalidIndex(int index) {
    return "Invalid index position " + std::to_string(index);
}

}  // namespace

DisplayObjectContainer::DisplayObjectContainer(rt::Dynamic handle)
    : InteractiveObject(std::move(handle)) {
    limnName = "DisplayObjectContainer";
}

DisplayObjectContainer::~DisplayObjectContainer() {
    // Children may outlive this container; they must not point at it.
    for (const auto& child : limnChildren) {
        if (lists(*child)) child->listedIn_ = nullptr;
    }
    if (!limnChildren.empty()) BroadcastIndex::treeChanged();
}

std::shared_ptr<DisplayObjectContainer> DisplayObjectContainer::selfContainer() {
    return std::static_pointer_cast<DisplayObjectContainer>(self());
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::limnFindByID(int id) {
    if (id == limnID) return self();
    const IdIndex::Bucket bucket = IdIndex::find(id);
    if (bucket.empty()) return nullptr;
    DisplayObject* best = nullptr;
    std::vector<int> bestPath;
    for (DisplayObject* candidate : bucket) {
        if (!inSubtree(candidate)) continue;
        if (best == nullptr) {
            best = candidate;
            continue;
        }
        // Repeated ids: keep the one a depth-first search meets first.
        if (bestPath.empty()) bestPath = pathTo(best);
        auto path = pathTo(candidate);
        if (path < bestPath) {
            best = candidate;
            bestPath = std::move(path);
        }
    }
    if (best == nullptr) return nullptr;
    return std::static_pointer_cast<DisplayObject>(best->weak_from_this().lock());
}

bool DisplayObjectContainer::inSubtree(const DisplayObject* object) const {
    for (const DisplayObject* node = object; node->listedIn_ != nullptr; node = node->listedIn_) {
        if (node->listedIn_ == this) return true;
    }
    return false;
}

std::vector<int> DisplayObjectContainer::pathTo(const DisplayObject* object) const {
    std::vector<int> path;
    for (const DisplayObject* node = object; node != this; node = node->listedIn_) {
        const auto& siblings = node->listedIn_->limnChildren;
        auto it = std::find_if(siblings.begin(), siblings.end(),
                               [node](const auto& c) { return c.get() == node; });
        path.push_back(static_cast<int>(it - siblings.begin()));
    }
    std::reverse(path.begin(), path.end());
    return path;
}

void DisplayObjectContainer::limnOnAdded(const std::shared_ptr<DisplayObject>& obj, bool onStage) {
    auto keep = self();
    DisplayObject::limnOnAdded(obj, onStage);
    for (std::size_t i = 0; i < limnChildren.size(); ++i) {
        auto child = limnChildren[i];
        child->limnOnAdded(obj, onStage);
    }
}

void DisplayObjectContainer::limnOnRemoved(const std::shared_ptr<DisplayObject>& obj,
                                           bool wasOnStage) {
    auto keep = self();
    DisplayObject::limnOnRemoved(obj, wasOnStage);
    for (std::size_t i = 0; i < limnChildren.size(); ++i) {
        auto child = limnChildren[i];
        child->limnOnRemoved(obj, wasOnStage);
    }
}

void DisplayObjectContainer::limnGetObjectsUnderPoint(const geom::Point& point,
                                                      ObjectArray& result) {
    DisplayObject::limnGetObjectsUnderPoint(point, result);
    for (std::size_t i = 0; i < limnChildren.size(); ++i) {
        auto child = limnChildren[i];
        child->limnGetObjectsUnderPoint(point, result);
    }
}

void DisplayObjectContainer::limnBroadcast(const std::shared_ptr<events::Event>& event) {
    if (event) BroadcastIndex::broadcast(selfContainer(), event);
}

bool DisplayObjectContainer::limnGetMouseChildren() const {
    return false;
}

bool DisplayObjectContainer::limnSetMouseChildren(bool /*value*/) {
    return false;
}

bool DisplayObjectContainer::limnGetTabChildren() const {
    return false;
}

bool DisplayObjectContainer::limnSetTabChildren(bool /*value*/) {
    return false;
}

int DisplayObjectContainer::limnGetNumChildren() const {
    return static_cast<int>(limnChildren.size());
}

void DisplayObjectContainer::limnRemoveChildFromArray(const std::shared_ptr<DisplayObject>& child) {
    int i = getChildIndex(child);
    if (i < 0) return;
    removeChildPrim({.container = limnHandle, .index = i});
    child->listedIn_ = nullptr;
    limnChildren.erase(limnChildren.begin() + i);
    BroadcastIndex::treeChanged();
    if (i == 0) ++hintBase_;
}

int DisplayObjectContainer::levelOf(const DisplayObject* object) const {
    int level = 0;
    for (auto node = limnGetParent(); node; node = node->limnGetParent()) {
        if (node.get() == object) return -1;
        // Trees are never deeper than the limit; stop rather than trust a bad one.
        if (++level > kMaxDepth) break;
    }
    return level;
}

int DisplayObjectContainer::heightOf(const DisplayObject& object, int limit) {
    const auto* top = dynamic_cast<const DisplayObjectContainer*>(&object);
    if (top == nullptr || top->limnChildren.empty()) return 0;
    // Depth first with a stack of its own: the subtree may be deep.
    struct Level {
        const DisplayObjectContainer* container;
        std::size_t next;
    };
    std::vector<Level> stack{{top, 0}};
    int height = 0;
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.container->limnChildren.size()) {
            stack.pop_back();
            continue;
        }
        const auto* child = dynamic_cast<const DisplayObjectContainer*>(
            level.container->limnChildren[level.next++].get());
        height = std::max(height, static_cast<int>(stack.size()));
        if (height > limit) return height;
        if (child != nullptr && !child->limnChildren.empty()) stack.push_back({child, 0});
    }
    return height;
}

void DisplayObjectContainer::checkAddable(const std::shared_ptr<DisplayObject>& child) const {
    if (child.get() == this) throw rt::Error("Adding to self");
    if (!child) throw rt::Error("addChild: the child is null");
    // A cycle of containers would own itself and make every walk up endless.
    const int level = levelOf(child.get());
    if (level < 0) throw rt::Error("Adding an ancestor to its descendant");
    // The child comes one level below this container, its subtree below it.
    const int room = kMaxDepth - level - 1;
    if (room < 0 || heightOf(*child, room) > room) throw rt::Error(kTooDeep);
}

void DisplayObjectContainer::undoAttach(const std::shared_ptr<DisplayObject>& child) {
    if (child->limnParent.lock().get() == this && !lists(*child)) child->limnParent.reset();
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::addChild(
    const std::shared_ptr<DisplayObject>& child) {
    checkAddable(child);
    if (child->limnGetParent().get() == this) {
        setChildIndex(child, limnGetNumChildren() - 1);
        return child;
    }
    auto keep = selfContainer();
    try {
        child->limnSetParent(keep);
    } catch (...) {
        undoAttach(child);
        throw;
    }
    // A listener of "added" may have moved the child elsewhere already.
    if (child->limnGetParent().get() != this || lists(*child)) return child;
    limnChildren.push_back(child);
    child->listedIn_ = this;
    noteIndex(*child, limnChildren.size() - 1);
    BroadcastIndex::treeChanged();
    try {
        addChildPrim({.container = limnHandle, .child = child->limnHandle});
    } catch (...) {
        limnChildren.pop_back();
        child->listedIn_ = nullptr;
        BroadcastIndex::treeChanged();
        undoAttach(child);
        throw;
    }
    return child;
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::addChildAt(
    const std::shared_ptr<DisplayObject>& child, int index) {
    // Check the index before adding, so that a bad one changes nothing.
    checkAddable(child);
    int countAfter = limnGetNumChildren() + (child->limnGetParent().get() == this ? 0 : 1);
    if (index < 0 || index >= countAfter) throw rt::Error(invalidIndex(index));
    addChild(child);
    setChildIndex(child, index);
    return child;
}

bool DisplayObjectContainer::areInaccessibleObjectsUnderPoint(const geom::Point& /*point*/) const {
    return false;
}

bool DisplayObjectContainer::contains(const std::shared_ptr<DisplayObject>& child) const {
    return child && (child.get() == this || getChildIndex(child) >= 0);
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::getChildByName(
    const std::string& name) const {
    for (std::size_t i = 0; i < limnChildren.size(); ++i) {
        auto child = limnChildren[i];
        if (child->limnGetName() == name) return child;
    }
    return nullptr;
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::getChildAt(int index) const {
    int count = limnGetNumChildren();
    if (index < 0 || index >= count) {
        throw rt::RangeError("getChildAt : index out of bounds " + std::to_string(index) + "/" +
                             std::to_string(count));
    }
    return limnChildren[index];
}

void DisplayObjectContainer::noteIndex(const DisplayObject& child, std::size_t index) const {
    child.listedAt_ = static_cast<std::ptrdiff_t>(index) + hintBase_;
}

int DisplayObjectContainer::getChildIndex(const std::shared_ptr<DisplayObject>& child) const {
    return child ? indexOf(*child) : -1;
}

int DisplayObjectContainer::indexOf(const DisplayObject& child) const {
    if (!lists(child)) return -1;
    // The child's hint is exact after adding, removing from either end,
    // reordering or an earlier lookup, and otherwise off by about the number
    // of children added or removed in front of it since.
    const std::ptrdiff_t i = rt::searchNear(limnChildren, child.listedAt_ - hintBase_,
                                            [&child](const auto& c) { return c.get() == &child; });
    if (i >= 0) noteIndex(child, static_cast<std::size_t>(i));
    return static_cast<int>(i);
}

DisplayObject::ObjectArray DisplayObjectContainer::getObjectsUnderPoint(const geom::Point& point) {
    ObjectArray result;
    limnGetObjectsUnderPoint(point, result);
    return result;
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::removeChild(
    const std::shared_ptr<DisplayObject>& child) {
    if (getChildIndex(child) < 0) return nullptr;
    auto keep = child;
    keep->limnSetParent(nullptr);
    return keep;
}

std::shared_ptr<DisplayObject> DisplayObjectContainer::removeChildAt(int index) {
    if (index < 0 || index >= limnGetNumChildren()) return nullptr;
    auto child = limnChildren[index];
    noteIndex(*child, static_cast<std::size_t>(index));
    child->limnSetParent(nullptr);
    return child;
}

void DisplayObjectContainer::setChildIndex(const std::shared_ptr<DisplayObject>& child, int index) {
    if (index >= limnGetNumChildren()) throw rt::Error(invalidIndex(index));
    int orig = getChildIndex(child);
    if (orig < 0) {
        std::string text = "setChildIndex : object " +
                           (child ? child->toString() : std::string("null")) + " not found.";
        if (child && child->limnGetParent().get() == this) {
            text += "Internal error: Child was not in limnChildren array!";
        }
        throw rt::Error(text);
    }
    if (index < 0) throw rt::Error(invalidIndex(index));
    setChildIndexPrim({.container = limnHandle, .child = child->limnHandle, .index = index});
    BroadcastIndex::treeChanged();
    auto first = limnChildren.begin();
    if (index < orig) {
        std::rotate(first + index, first + orig, first + orig + 1);
    } else if (orig < index) {
        std::rotate(first + orig, first + orig + 1, first + index + 1);
    }
    noteIndex(*child, static_cast<std::size_t>(index));
}

void DisplayObjectContainer::swapChildren(const std::shared_ptr<DisplayObject>& child1,
                                          const std::shared_ptr<DisplayObject>& child2) {
    int i1 = getChildIndex(child1);
    int i2 = getChildIndex(child2);
    if (i1 < 0 || i2 < 0) throw rt::Error("swapChildren:Could not find children");
    swapChildrenAt(i1, i2);
}

void DisplayObjectContainer::swapChildrenAt(int index1, int index2) {
    int count = limnGetNumChildren();
    if (index1 < 0 || index1 >= count || index2 < 0 || index2 >= count) {
        throw rt::RangeError("swapChildrenAt : index out of bounds");
    }
    if (index1 == index2) return;
    std::swap(limnChildren[index1], limnChildren[index2]);
    noteIndex(*limnChildren[index1], static_cast<std::size_t>(index1));
    noteIndex(*limnChildren[index2], static_cast<std::size_t>(index2));
    BroadcastIndex::treeChanged();
    try {
        swapChildrenPrim({.container = limnHandle, .index1 = index1, .index2 = index2});
    } catch (...) {
        std::swap(limnChildren[index1], limnChildren[index2]);
        throw;
    }
}

void DisplayObjectContainer::limnStartDrag(const std::shared_ptr<Sprite>& /*sprite*/,
                                           bool /*lockCenter*/,
                                           const std::shared_ptr<geom::Rectangle>& /*bounds*/) {}

void DisplayObjectContainer::limnStopDrag(const std::shared_ptr<Sprite>& /*sprite*/) {}

const rt::ClassInfo& DisplayObjectContainer::staticClass() {
    using C = DisplayObjectContainer;
    using Self = DisplayObjectContainer;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.DisplayObjectContainer", &InteractiveObject::staticClass())
            LIMN_CONTAINER_PROPERTIES(RT_BIND_RW, RT_BIND_RO)
                .method<&C::addChild>("addChild")
                .method<&C::addChildAt>("addChildAt")
                .method<&C::removeChild>("removeChild")
                .method<&C::removeChildAt>("removeChildAt")
                .method<&C::getChildAt>("getChildAt")
                .method<&C::getChildIndex>("getChildIndex")
                .method<&C::getChildByName>("getChildByName")
                .method<&C::contains>("contains")
                .method<&C::setChildIndex>("setChildIndex")
                .method<&C::swapChildren>("swapChildren")
                .method<&C::swapChildrenAt>("swapChildrenAt")
                .method<&C::areInaccessibleObjectsUnderPoint>("areInaccessibleObjectsUnderPoint")
                .method<&DisplayObject::byNameGetObjectsUnderPoint>("getObjectsUnderPoint");
    return info;
}

}  // namespace limn::display
