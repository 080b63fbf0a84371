#pragma once
// An ordered list of child display objects kept in step with the native
// container's child list. Index 0 is drawn first (bottom), the last on top.
// Every change is made in the child array and, through one primitive, in the
// backend; a failed operation (a thrown check, a failing primitive, a
// listener of "added" that throws inside addChild) leaves both as they were.
//
// Invariants: each child is listed once, its parent is this container, and the
// backend's list holds the same native objects in the same order. A tree is at
// most kMaxDepth (1000) levels deep below its root, so that every walk over it
// (notifications, broadcasts, event paths, hit tests, bounds, drawing,
// release) stays within the stack; addChild refuses anything deeper.
// The container owns its children; children link back weakly.
//
//   auto screen = std::make_shared<Sprite>();
//   screen->addChild(std::make_shared<Shape>());

#include <memory>
#include <string>
#include <vector>

#include "framework/display/InteractiveObject.h"
#include "native/TreeDepth.h"
#include "runtime/TwoEndedArray.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_CONTAINER_PROPERTIES(RW, RO)  \
    RO(numChildren, NumChildren)           \
    RW(mouseChildren, MouseChildren, bool) \
    RW(tabChildren, TabChildren, bool)

namespace limn::display {

class Sprite;

class DisplayObjectContainer : public InteractiveObject {
public:
    RT_DECLARE_CLASS

    // Levels a tree may have below its root (the stage's children are level 1).
    static constexpr int kMaxDepth = native::kMaxTreeDepth;

    explicit DisplayObjectContainer(rt::Dynamic handle);
    ~DisplayObjectContainer() override;

    // The children in drawing order; change them only through the operations below.
    using ChildArray = rt::TwoEndedArray<std::shared_ptr<DisplayObject>>;
    [[nodiscard]] const ChildArray& children() const { return limnChildren; }

    // The first object with this id in depth-first order over this subtree
    // (this container first), or null. Answered from the id index plus a walk
    // up from each candidate, not by searching the subtree. Ids repeated by
    // the backend give the same answer as a search would: the first in order.
    std::shared_ptr<DisplayObject> limnFindByID(int id) override;
    // This container's own notification first, then every child's, in index order.
    void limnOnAdded(const std::shared_ptr<DisplayObject>& obj, bool onStage) override;
    void limnOnRemoved(const std::shared_ptr<DisplayObject>& obj, bool wasOnStage) override;
    // This container (if hit), then each child's answer, in index order.
    void limnGetObjectsUnderPoint(const geom::Point& point, ObjectArray& result) override;
    // Children first (depth first), then this container. A child that leaves
    // during its own broadcast doesn't make its successor be skipped. Only
    // objects with listeners are visited (see BroadcastIndex).
    void limnBroadcast(const std::shared_ptr<events::Event>& event) override;

    // Always false; writes are ignored.
    [[nodiscard]] bool limnGetMouseChildren() const;
    bool limnSetMouseChildren(bool value);
    [[nodiscard]] bool limnGetTabChildren() const;
    bool limnSetTabChildren(bool value);
    [[nodiscard]] int limnGetNumChildren() const;
    LIMN_CONTAINER_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    // Drops the child from the native list, then from the array; no notification.
    void limnRemoveChildFromArray(const std::shared_ptr<DisplayObject>& child);

    // Appends on top; a child of this container moves to the top; a child of
    // another container moves here without notifications. Throws "Adding to
    // self" for this container, "Adding an ancestor to its descendant" for
    // one of its ancestors and "addChild: the display tree would be more than
    // 1000 levels deep" when the child's subtree would reach below kMaxDepth.
    std::shared_ptr<DisplayObject> addChild(const std::shared_ptr<DisplayObject>& child);
    // addChild, then setChildIndex; an index outside 0 to the count after
    // adding throws "Invalid index position N" before anything changes.
    std::shared_ptr<DisplayObject> addChildAt(const std::shared_ptr<DisplayObject>& child,
                                              int index);
    [[nodiscard]] bool areInaccessibleObjectsUnderPoint(const geom::Point& point) const;
    // True for this container itself and its direct children only.
    [[nodiscard]] bool contains(const std::shared_ptr<DisplayObject>& child) const;
    // The first child whose backend name is `name`, or null.
    [[nodiscard]] std::shared_ptr<DisplayObject> getChildByName(const std::string& name) const;
    // Throws RangeError "getChildAt : index out of bounds I/N".
    [[nodiscard]] std::shared_ptr<DisplayObject> getChildAt(int index) const;
    // -1 when it is not a child.
    [[nodiscard]] int getChildIndex(const std::shared_ptr<DisplayObject>& child) const;
    ObjectArray getObjectsUnderPoint(const geom::Point& point);
    // Null when it is not a child.
    std::shared_ptr<DisplayObject> removeChild(const std::shared_ptr<DisplayObject>& child);
    // Null when the index is out of range.
    std::shared_ptr<DisplayObject> removeChildAt(int index);
    // Moves a child to the index, the others keeping their order. Throws
    // "Invalid index position N" or "setChildIndex : object ... not found.".
    void setChildIndex(const std::shared_ptr<DisplayObject>& child, int index);
    // Throws "swapChildren:Could not find children".
    void swapChildren(const std::shared_ptr<DisplayObject>& child1,
                      const std::shared_ptr<DisplayObject>& child2);
    // Throws RangeError "swapChildrenAt : index out of bounds".
    void swapChildrenAt(int index1, int index2);

    // Dragging belongs to the stage, which overrides these two (Sprite's
    // startDrag/stopDrag call them on the stage). Other containers ignore them.
    virtual void limnStartDrag(const std::shared_ptr<Sprite>& sprite, bool lockCenter,
                               const std::shared_ptr<geom::Rectangle>& bounds);
    virtual void limnStopDrag(const std::shared_ptr<Sprite>& sprite);

protected:
    [[nodiscard]] std::shared_ptr<DisplayObjectContainer> selfContainer();

private:
    friend class BroadcastIndex;

    // Where the child sits in limnChildren, or -1.
    [[nodiscard]] int indexOf(const DisplayObject& child) const;
    // Levels above this container (0 for a root), or -1 when `object` is one of
    // its ancestors.
    [[nodiscard]] int levelOf(const DisplayObject* object) const;
    // Levels below `object` (0 for a leaf); stops counting past `limit`.
    [[nodiscard]] static int heightOf(const DisplayObject& object, int limit);
    void checkAddable(const std::shared_ptr<DisplayObject>& child) const;
    [[nodiscard]] bool lists(const DisplayObject& child) const { return child.listedIn_ == this; }
    void undoAttach(const std::shared_ptr<DisplayObject>& child);
    [[nodiscard]] bool inSubtree(const DisplayObject* object) const;
    [[nodiscard]] std::vector<int> pathTo(const DisplayObject* object) const;

    // Records where child now sits in limnChildren, for getChildIndex.
    void noteIndex(const DisplayObject& child, std::size_t index) const;

    // Children are often taken from the front: that costs no shift.
    ChildArray limnChildren;
    // Children's position hints are counted from here: removing the first
    // child moves every other one down by one, and so only this moves.
    std::ptrdiff_t hintBase_ = 0;
};

}  // namespace limn::display
