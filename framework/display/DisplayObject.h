#pragma once
// The base of everything in the display tree: a thin front for one native
// display object. Visual properties (x, y, scale, rotation in the backend's
// units, size, alpha, visibility, name, blend mode...) are read from and
// written to the backend on every access, one primitive per access; nothing is
// cached except the Graphics front and private copies of the filters, the
// scroll rectangle and the nine-slice grid. Every property is also reachable
// by name ("x", "alpha", "visible"...); a write by name goes through the setter.
//
// Ownership: a container owns its children; the parent link is a weak back
// link, so a detached object that nothing else references is freed.
// The tree bookkeeping lives here: the parent link (changed only by
// containers through limnSetParent), the "added"/"removed" and stage
// notifications, the capture-target-bubble walk (limnFireEvent) and the
// depth-first broadcast (limnBroadcast).
//
// Not made directly: use Shape, Sprite and the other subclasses.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/display/BlendMode.h"
#include "framework/display/IBitmapDrawable.h"
#include "framework/events/EventDispatcher.h"
#include "framework/geom/TransformTarget.h"
#include "runtime/Accessors.h"
#include "runtime/Dynamic.h"

namespace limn::events {
class Event;
}
namespace limn::filters {
class BitmapFilter;
}
namespace limn::geom {
class ColorTransform;
class Matrix;
class Point;
class Rectangle;
class Transform;
}  // namespace limn::geom

// The properties reached by name and as x()/setX(v): one list for both.
#define LIMN_DISPLAY_OBJECT_PROPERTIES(RW, RO)                          \
    RW(x, X, double)                                                    \
    RW(y, Y, double)                                                    \
    RW(scaleX, ScaleX, double)                                          \
    RW(scaleY, ScaleY, double)                                          \
    RW(rotation, Rotation, double)                                      \
    RW(width, Width, double)                                            \
    RW(height, Height, double)                                          \
    RW(alpha, Alpha, double)                                            \
    RO(mouseX, MouseX)                                                  \
    RO(mouseY, MouseY)                                                  \
    RW(visible, Visible, bool)                                          \
    RW(cacheAsBitmap, CacheAsBitmap, bool)                              \
    RW(name, Name, const std::string&)                                  \
    RW(scrollRect, ScrollRect, const std::shared_ptr<geom::Rectangle>&) \
    RW(scale9Grid, Scale9Grid, const std::shared_ptr<geom::Rectangle>&) \
    RW(mask, Mask, const std::shared_ptr<DisplayObject>&)               \
    RO(parent, Parent)

namespace limn::display {

class DisplayObjectContainer;
class Graphics;
class InteractiveObject;
class Stage;

class DisplayObject : public events::EventDispatcher,
                      public IBitmapDrawable,
                      public geom::TransformTarget {
public:
    RT_DECLARE_CLASS

    using InteractiveStack = std::vector<std::shared_ptr<InteractiveObject>>;
    using ObjectArray = std::vector<std::shared_ptr<DisplayObject>>;
    using FilterArray = std::vector<std::shared_ptr<filters::BitmapFilter>>;

    // Wraps a native display object made by the subclass; reads its id once
    // ("limn_display_object_get_id", null gives 0) and calls nothing else.
    explicit DisplayObject(rt::Dynamic handle);
    ~DisplayObject() override;
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;

    const rt::Dynamic limnHandle;  // the backend's display object, for the whole life
    const int limnID;              // the backend's id of it; the stage finds objects by it

    // The drawing list, made on first access and the same object afterwards.
    [[nodiscard]] std::shared_ptr<Graphics> limnGetGraphics();
    [[nodiscard]] std::shared_ptr<DisplayObjectContainer> limnGetParent() const;
    // The stage at the root of the parent chain, or null. The stage returns itself.
    [[nodiscard]] virtual std::shared_ptr<Stage> limnGetStage();
    // This object when its id is `id`, else null (containers search their subtree).
    virtual std::shared_ptr<DisplayObject> limnFindByID(int id);

    [[nodiscard]] double limnGetX() const;
    double limnSetX(double value);
    [[nodiscard]] double limnGetY() const;
    double limnSetY(double value);
    [[nodiscard]] double limnGetScaleX() const;
    double limnSetScaleX(double value);
    [[nodiscard]] double limnGetScaleY() const;
    double limnSetScaleY(double value);
    // The pointer in this object's coordinates.
    [[nodiscard]] double limnGetMouseX() const;
    [[nodiscard]] double limnGetMouseY() const;
    [[nodiscard]] double limnGetRotation() const;
    double limnSetRotation(double value);
    [[nodiscard]] bool limnGetCacheAsBitmap() const;
    bool limnSetCacheAsBitmap(bool value);
    [[nodiscard]] bool limnGetVisible() const;
    bool limnSetVisible(bool value);
    [[nodiscard]] double limnGetWidth() const;
    double limnSetWidth(double value);
    [[nodiscard]] double limnGetHeight() const;
    double limnSetHeight(double value);
    [[nodiscard]] std::string limnGetName() const;
    std::string limnSetName(const std::string& value);
    // An index the backend doesn't know reads as NORMAL.
    [[nodiscard]] BlendMode limnGetBlendMode() const;
    BlendMode limnSetBlendMode(BlendMode value);
    // Rectangles are copied on the way in and out: changing one has no effect
    // until it is set again.
    [[nodiscard]] std::shared_ptr<geom::Rectangle> limnGetScale9Grid() const;
    std::shared_ptr<geom::Rectangle> limnSetScale9Grid(
        const std::shared_ptr<geom::Rectangle>& value);
    [[nodiscard]] std::shared_ptr<geom::Rectangle> limnGetScrollRect() const;
    std::shared_ptr<geom::Rectangle> limnSetScrollRect(
        const std::shared_ptr<geom::Rectangle>& value);
    // The mask is kept by reference (not copied). An object that masks itself
    // is held weakly, so that it makes no ownership cycle; a mask that is an
    // ancestor of its object would make one until either is reset.
    [[nodiscard]] std::shared_ptr<DisplayObject> limnGetMask() const;
    std::shared_ptr<DisplayObject> limnSetMask(const std::shared_ptr<DisplayObject>& value);
    // opaqueBackground: a 0xRRGGBB colour or none. None is sent as 0.
    std::optional<int> limnSetBG(std::optional<int> value);
    [[nodiscard]] std::optional<int> limnGetBG() const;
    // Filters are cloned on the way in and out; none set reads as an empty array.
    std::optional<FilterArray> limnSetFilters(const std::optional<FilterArray>& value);
    [[nodiscard]] FilterArray limnGetFilters() const;

    // Plain accessors: x() is limnGetX(), setX(v) is limnSetX(v), and so on.
    LIMN_DISPLAY_OBJECT_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    [[nodiscard]] BlendMode blendMode() const { return limnGetBlendMode(); }
    void setBlendMode(BlendMode value) { limnSetBlendMode(value); }
    [[nodiscard]] std::optional<int> opaqueBackground() const { return limnGetBG(); }
    void setOpaqueBackground(std::optional<int> value) { limnSetBG(value); }
    [[nodiscard]] FilterArray filters() const { return limnGetFilters(); }
    void setFilters(const FilterArray& value) { limnSetFilters(value); }
    [[nodiscard]] std::shared_ptr<geom::Transform> transform() { return limnGetTransform(); }
    void setTransform(const std::shared_ptr<geom::Transform>& t) { limnSetTransform(t); }
    [[nodiscard]] std::shared_ptr<Graphics> graphics() { return limnGetGraphics(); }
    [[nodiscard]] std::shared_ptr<Stage> stage() { return limnGetStage(); }

    // The pivot (registration point): the point of this object's own
    // coordinates that x and y place in the parent, and that rotation and
    // scale turn about; (0, 0) until set, which is an object without one. An
    // object with pivot p behaves as its content moved by -p inside a plain
    // wrapper placed at x and y: bounds, width and height, hit tests, mouse
    // targets, mouseX, localToGlobal and globalToLocal, masks, scroll
    // rectangles, cached bitmaps and drags all follow. Changing the pivot keeps
    // x and y, so the content moves. A non-finite coordinate is taken as 0.
    // Reached by name as "pivotX" and "pivotY" too (tweens).
    // transform.matrix is the whole transform into the parent, pivot included
    // (tx = x - a * pivotX - c * pivotY, ty = y - b * pivotX - d * pivotY);
    // setting a matrix sets exactly that and keeps the pivot, so x and y then
    // read where the pivot lands.
    [[nodiscard]] double pivotX() const { return extras_ ? extras_->pivotX : 0; }
    [[nodiscard]] double pivotY() const { return extras_ ? extras_->pivotY : 0; }
    void setPivotX(double value) { setPivot(value, pivotY()); }
    void setPivotY(double value) { setPivot(pivotX(), value); }
    void setPivot(double x, double y);

    // Notifications, driven by containers: "added"/"removed" reach only `obj`
    // itself; containers pass the stage notifications on to every descendant.
    virtual void limnOnAdded(const std::shared_ptr<DisplayObject>& obj, bool onStage);
    virtual void limnOnRemoved(const std::shared_ptr<DisplayObject>& obj, bool wasOnStage);

    // Fresh objects filled by the backend; the setters return what they got.
    [[nodiscard]] std::shared_ptr<geom::Matrix> limnGetMatrix() const override;
    [[nodiscard]] std::shared_ptr<geom::Matrix> limnGetConcatenatedMatrix() const override;
    std::shared_ptr<geom::Matrix> limnSetMatrix(const std::shared_ptr<geom::Matrix>& m) override;
    [[nodiscard]] std::shared_ptr<geom::ColorTransform> limnGetColorTransform() const override;
    [[nodiscard]] std::shared_ptr<geom::ColorTransform> limnGetConcatenatedColorTransform()
        const override;
    std::shared_ptr<geom::ColorTransform> limnSetColorTransform(
        const std::shared_ptr<geom::ColorTransform>& ct) override;
    [[nodiscard]] std::shared_ptr<geom::Rectangle> limnGetPixelBounds() const override;
    // A new view on this object on every read; writing copies its matrix, then
    // its colour transform, onto this object.
    [[nodiscard]] std::shared_ptr<geom::Transform> limnGetTransform();
    std::shared_ptr<geom::Transform> limnSetTransform(const std::shared_ptr<geom::Transform>& t);
    [[nodiscard]] double limnGetAlpha() const;
    double limnSetAlpha(double value);

    // Converted copies; the given point is left untouched.
    std::shared_ptr<geom::Point> globalToLocal(const geom::Point& point);
    std::shared_ptr<geom::Point> localToGlobal(const geom::Point& point);
    bool hitTestPoint(double x, double y, bool shapeFlag = false);
    // Appends this object to `result` when the backend's hit test says yes.
    virtual void limnGetObjectsUnderPoint(const geom::Point& point, ObjectArray& result);
    virtual std::shared_ptr<InteractiveObject> limnAsInteractiveObject();
    // Appends the interactive objects from this one up to the root, nearest first.
    void limnGetInteractiveObjectStack(InteractiveStack& stack);
    // Dispatches on this object; containers reach their children first.
    virtual void limnBroadcast(const std::shared_ptr<events::Event>& event);
    // Capture from the root down to the parent, this object, then (for
    // bubbling events) back up. The ancestors are taken once, before the first
    // listener runs. A cancelled event stops between objects.
    void limnFireEvent(const std::shared_ptr<events::Event>& event);
    void limnDrawToSurface(const rt::Dynamic& surface, const std::shared_ptr<geom::Matrix>& matrix,
                           const std::shared_ptr<geom::ColorTransform>& colorTransform,
                           const rt::Dynamic& blendMode,
                           const std::shared_ptr<geom::Rectangle>& clipRect,
                           bool smoothing) override;

    // limnName, a blank and limnID: "DisplayObject 12".
    [[nodiscard]] std::string toString() const override;

protected:
    [[nodiscard]] std::shared_ptr<DisplayObject> self();
    void listenerTypeAdded(const std::string& type) override;

    std::string limnName;  // type name used by toString(); set by subclasses

private:
    friend class DisplayObjectContainer;
    friend class BroadcastIndex;
    friend struct ParentProbe;  // tests

    // Only containers call it. Detaches from the old container first; an
    // attach dispatches "added" (and "addedToStage"), a detach "removed" (and
    // "removedFromStage"), a move between containers nothing.
    std::shared_ptr<DisplayObjectContainer> limnSetParent(
        const std::shared_ptr<DisplayObjectContainer>& newParent);

    rt::Dynamic byNameGetBlendMode();
    int byNameSetBlendMode(int index);
    rt::Dynamic byNameGetBG();
    rt::Dynamic byNameSetBG(const rt::Dynamic& value);
    rt::ArrayPtr byNameGetFilters() const;
    rt::Dynamic byNameSetFilters(const rt::Dynamic& value);
    rt::Dynamic byNameGetStage();
    rt::Dynamic byNameGetObjectsUnderPoint(const geom::Point& point);
    [[nodiscard]] int byNameGetID() const { return limnID; }

    struct Place {
        double x = 0;
        double y = 0;
    };
    [[nodiscard]] bool hasPivot() const {
        return extras_ && (extras_->pivotX != 0 || extras_->pivotY != 0);
    }
    // The pivot through the matrix's linear part: where it lies from the origin.
    [[nodiscard]] Place pivotOffset() const;
    // Where the pivot lies in the parent (x and y as read).
    [[nodiscard]] Place pivotPlace() const;
    void placePivot(Place place);
    // Runs a change of rotation or scale, then puts the pivot back where it was.
    template <class Change>
    void keepingPivot(Change&& change);

    std::weak_ptr<DisplayObjectContainer> limnParent;
    // The container whose child array lists this object, or null. It equals
    // limnParent except while "added" listeners run inside addChild. Non-owning:
    // the container holds this object while it lists it, and clears the link
    // when it lets go or is destroyed.
    DisplayObjectContainer* listedIn_ = nullptr;
    // Where that container last saw this object in its array, as the container
    // counts (see DisplayObjectContainer::getChildIndex): a hint, checked before use.
    mutable std::ptrdiff_t listedAt_ = 0;
    std::shared_ptr<Graphics> limnGraphicsCache;
    // Where this object stands in the broadcast lists (any listener, enterFrame), or -1.
    int heardSlot_[2] = {-1, -1};
    // What few objects have, made by the first setter that gives one of them
    // a value, so that the many that never do stay small.
    struct Extras {
        std::optional<FilterArray> limnFilters;
        std::shared_ptr<geom::Rectangle> limnScale9Grid;
        std::shared_ptr<geom::Rectangle> limnScrollRect;
        std::shared_ptr<DisplayObject> mask;
        bool maskIsSelf = false;
        double pivotX = 0;
        double pivotY = 0;
    };
    std::unique_ptr<Extras> extras_;
    Extras& extras();
};

}  // namespace limn::display
