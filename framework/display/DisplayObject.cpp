#include "framework/display/DisplayObject.h"

#include <algorithm>
#include <cmath>

#include "framework/display/BroadcastIndex.h"
#include "framework/display/DisplayObjectContainer.h"
#include "framework/display/Graphics.h"
#include "framework/display/IdIndex.h"
#include "framework/display/InteractiveObject.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/events/EventPhase.h"
#include "framework/filters/BitmapFilter.h"
#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "framework/geom/Transform.h"
#include "native/Call.h"
#include "runtime/Error.h"

namespace limn::display {

namespace {

const native::Call<native::wire::limn_display_object_get_id> getId;
const native::Call<native::wire::limn_display_object_get_x> getX;
const native::Call<native::wire::limn_display_object_set_x> setX;
const native::Call<native::wire::limn_display_object_get_y> getY;
const native::Call<native::wire::limn_display_object_set_y> setY;
const native::Call<native::wire::limn_display_object_get_scale_x> getScaleX;
const native::Call<native::wire::limn_display_object_set_scale_x> setScaleX;
const native::Call<native::wire::limn_display_object_get_scale_y> getScaleY;
const native::Call<native::wire::limn_display_object_set_scale_y> setScaleY;
const native::Call<native::wire::limn_display_object_get_mouse_x> getMouseX;
const native::Call<native::wire::limn_display_object_get_mouse_y> getMouseY;
const native::Call<native::wire::limn_display_object_get_rotation> getRotation;
const native::Call<native::wire::limn_display_object_set_rotation> setRotation;
const native::Call<native::wire::limn_display_object_get_cache_as_bitmap> getCacheAsBitmap;
const native::Call<native::wire::limn_display_object_set_cache_as_bitmap> setCacheAsBitmap;
const native::Call<native::wire::limn_display_object_get_visible> getVisible;
const native::Call<native::wire::limn_display_object_set_visible> setVisible;
const native::Call<native::wire::limn_display_object_get_width> getWidth;
const native::Call<native::wire::limn_display_object_set_width> setWidth;
const native::Call<native::wire::limn_display_object_get_height> getHeight;
const native::Call<native::wire::limn_display_object_set_height> setHeight;
const native::Call<native::wire::limn_display_object_get_name> getName;
const native::Call<native::wire::limn_display_object_set_name> setName;
const native::Call<native::wire::limn_display_object_get_blend_mode> getBlendMode;
const native::Call<native::wire::limn_display_object_set_blend_mode> setBlendMode;
const native::Call<native::wire::limn_display_object_get_bg> getBG;
const native::Call<native::wire::limn_display_object_set_bg> setBG;
const native::Call<native::wire::limn_display_object_set_scroll_rect> setScrollRect;
const native::Call<native::wire::limn_display_object_set_scale9_grid> setScale9Grid;
const native::Call<native::wire::limn_display_object_set_mask> setMask;
const native::Call<native::wire::limn_display_object_set_filters> setFilters;
const native::Call<native::wire::limn_display_object_get_graphics> getGraphics;
const native::Call<native::wire::limn_display_object_get_alpha> getAlpha;
const native::Call<native::wire::limn_display_object_set_alpha> setAlpha;
const native::Call<native::wire::limn_display_object_global_to_local> globalToLocalPrim;
const native::Call<native::wire::limn_display_object_local_to_global> localToGlobalPrim;
const native::Call<native::wire::limn_display_object_hit_test_point> hitTestPointPrim;
const native::Call<native::wire::limn_display_object_get_matrix> getMatrix;
const native::Call<native::wire::limn_display_object_set_matrix> setMatrix;
const native::Call<native::wire::limn_display_object_get_color_transform> getColorTransform;
const native::Call<native::wire::limn_display_object_set_color_transform> setColorTransform;
const native::Call<native::wire::limn_display_object_get_pixel_bounds> getPixelBounds;
const native::Call<native::wire::limn_display_object_draw_to_surface> drawToSurface;

// Bit the backend sets on an opaque background colour that is in use.
constexpr int kBackgroundSet = 0x1000000;

int readId(const rt::Dynamic& handle) {
    return getId({.object = handle});
}

std::shared_ptr<geom::Rectangle> cloneOrNull(const std::shared_ptr<geom::Rectangle>& r) {
    return r ? r->clone() : nullptr;
}

DisplayObject::FilterArray cloneFilters(const DisplayObject::FilterArray& filters) {
    DisplayObject::FilterArray copies;
    copies.reserve(filters.size());
    for (const auto& f : filters) {
        if (!f) throw rt::Error("filters: null is not a filter");
        copies.push_back(f->clone());
    }
    return copies;
}

rt::ArrayPtr toArray(const DisplayObject::FilterArray& filters) {
    auto array = std::make_shared<rt::Array>();
    array->reserve(filters.size());
    for (const auto& f : filters) array->emplace_back(f);
    return array;
}

}  // namespace

DisplayObject::DisplayObject(rt::Dynamic handle)
    : limnHandle(std::move(handle)), limnID(readId(limnHandle)), limnName("DisplayObject") {
    IdIndex::add(limnID, this);
}

DisplayObject::~DisplayObject() {
    IdIndex::remove(limnID, this);
    BroadcastIndex::remove(*this);
}

void DisplayObject::listenerTypeAdded(const std::string& type) {
    BroadcastIndex::listenerTypeAdded(*this, type);
}

std::shared_ptr<DisplayObject> DisplayObject::self() {
    return std::static_pointer_cast<DisplayObject>(shared_from_this());
}

std::shared_ptr<Graphics> DisplayObject::limnGetGraphics() {
    if (!limnGraphicsCache)
        limnGraphicsCache = std::make_shared<Graphics>(getGraphics({.object = limnHandle}));
    return limnGraphicsCache;
}

std::shared_ptr<DisplayObjectContainer> DisplayObject::limnGetParent() const {
    return limnParent.lock();
}

std::shared_ptr<Stage> DisplayObject::limnGetStage() {
    auto parent = limnParent.lock();
    return parent ? parent->limnGetStage() : nullptr;
}

std::shared_ptr<DisplayObject> DisplayObject::limnFindByID(int id) {
    return id == limnID ? self() : nullptr;
}

// The backend's x and y are the matrix's translation; with a pivot, x and y
// are where the pivot lands, the translation plus the pivot's offset.

double DisplayObject::limnGetX() const {
    const double tx = getX({.object = limnHandle});
    return hasPivot() ? tx + pivotOffset().x : tx;
}

double DisplayObject::limnSetX(double value) {
    display::setX({.object = limnHandle, .value = hasPivot() ? value - pivotOffset().x : value});
    return value;
}

double DisplayObject::limnGetY() const {
    const double ty = getY({.object = limnHandle});
    return hasPivot() ? ty + pivotOffset().y : ty;
}

double DisplayObject::limnSetY(double value) {
    display::setY({.object = limnHandle, .value = hasPivot() ? value - pivotOffset().y : value});
    return value;
}

DisplayObject::Extras& DisplayObject::extras() {
    if (!extras_) extras_ = std::make_unique<Extras>();
    return *extras_;
}

void DisplayObject::setPivot(double x, double y) {
    if (!std::isfinite(x)) x = 0;
    if (!std::isfinite(y)) y = 0;
    if (x == pivotX() && y == pivotY()) return;
    const Place place = pivotPlace();
    extras().pivotX = x;
    extras().pivotY = y;
    placePivot(place);
}

DisplayObject::Place DisplayObject::pivotOffset() const {
    const auto m = limnGetMatrix();
    const double px = pivotX(), py = pivotY();
    return {m->a * px + m->c * py, m->b * px + m->d * py};
}

DisplayObject::Place DisplayObject::pivotPlace() const {
    const auto m = limnGetMatrix();
    const double px = pivotX(), py = pivotY();
    return {m->tx + m->a * px + m->c * py, m->ty + m->b * px + m->d * py};
}

void DisplayObject::placePivot(Place place) {
    const Place offset = pivotOffset();
    display::setX({.object = limnHandle, .value = place.x - offset.x});
    display::setY({.object = limnHandle, .value = place.y - offset.y});
}

template <class Change>
void DisplayObject::keepingPivot(Change&& change) {
    if (!hasPivot()) {
        change();
        return;
    }
    const Place place = pivotPlace();
    change();
    placePivot(place);
}

double DisplayObject::limnGetScaleX() const {
    return getScaleX({.object = limnHandle});
}

double DisplayObject::limnSetScaleX(double value) {
    keepingPivot([&] { display::setScaleX({.object = limnHandle, .value = value}); });
    return value;
}

double DisplayObject::limnGetScaleY() const {
    return getScaleY({.object = limnHandle});
}

double DisplayObject::limnSetScaleY(double value) {
    keepingPivot([&] { display::setScaleY({.object = limnHandle, .value = value}); });
    return value;
}

double DisplayObject::limnGetMouseX() const {
    return getMouseX({.object = limnHandle});
}

double DisplayObject::limnGetMouseY() const {
    return getMouseY({.object = limnHandle});
}

double DisplayObject::limnGetRotation() const {
    return getRotation({.object = limnHandle});
}

double DisplayObject::limnSetRotation(double value) {
    keepingPivot([&] { display::setRotation({.object = limnHandle, .value = value}); });
    return value;
}

bool DisplayObject::limnGetCacheAsBitmap() const {
    return getCacheAsBitmap({.object = limnHandle});
}

bool DisplayObject::limnSetCacheAsBitmap(bool value) {
    display::setCacheAsBitmap({.object = limnHandle, .value = value});
    return value;
}

bool DisplayObject::limnGetVisible() const {
    return getVisible({.object = limnHandle});
}

bool DisplayObject::limnSetVisible(bool value) {
    display::setVisible({.object = limnHandle, .value = value});
    return value;
}

double DisplayObject::limnGetWidth() const {
    return getWidth({.object = limnHandle});
}

double DisplayObject::limnSetWidth(double value) {
    keepingPivot([&] { display::setWidth({.object = limnHandle, .value = value}); });
    return value;
}

double DisplayObject::limnGetHeight() const {
    return getHeight({.object = limnHandle});
}

double DisplayObject::limnSetHeight(double value) {
    keepingPivot([&] { display::setHeight({.object = limnHandle, .value = value}); });
    return value;
}

std::string DisplayObject::limnGetName() const {
    return getName({.object = limnHandle});
}

std::string DisplayObject::limnSetName(const std::string& value) {
    display::setName({.object = limnHandle, .value = value});
    return value;
}

BlendMode DisplayObject::limnGetBlendMode() const {
    int index = getBlendMode({.object = limnHandle});
    if (index < 0 || index >= kBlendModeCount) return BlendMode::NORMAL;
    return static_cast<BlendMode>(index);
}

BlendMode DisplayObject::limnSetBlendMode(BlendMode value) {
    display::setBlendMode({.object = limnHandle, .mode = static_cast<int>(value)});
    return value;
}

std::shared_ptr<geom::Rectangle> DisplayObject::limnGetScale9Grid() const {
    return extras_ ? cloneOrNull(extras_->limnScale9Grid) : nullptr;
}

std::shared_ptr<geom::Rectangle> DisplayObject::limnSetScale9Grid(
    const std::shared_ptr<geom::Rectangle>& value) {
    auto grid = cloneOrNull(value);
    if (grid || extras_) extras().limnScale9Grid = grid;
    display::setScale9Grid({.object = limnHandle, .grid = grid});
    return value;
}

std::shared_ptr<geom::Rectangle> DisplayObject::limnGetScrollRect() const {
    return extras_ ? cloneOrNull(extras_->limnScrollRect) : nullptr;
}

std::shared_ptr<geom::Rectangle> DisplayObject::limnSetScrollRect(
    const std::shared_ptr<geom::Rectangle>& value) {
    auto rect = cloneOrNull(value);
    if (rect || extras_) extras().limnScrollRect = rect;
    display::setScrollRect({.object = limnHandle, .rect = rect});
    return value;
}

std::shared_ptr<DisplayObject> DisplayObject::limnGetMask() const {
    if (!extras_) return nullptr;
    if (extras_->maskIsSelf)
        return std::const_pointer_cast<DisplayObject>(
            std::static_pointer_cast<const DisplayObject>(shared_from_this()));
    return extras_->mask;
}

std::shared_ptr<DisplayObject> DisplayObject::limnSetMask(
    const std::shared_ptr<DisplayObject>& value) {
    if (value || extras_) {
        extras().maskIsSelf = value.get() == this;
        extras_->mask = extras_->maskIsSelf ? nullptr : value;
    }
    display::setMask({.object = limnHandle, .mask = value ? value->limnHandle : rt::Dynamic()});
    return value;
}

std::optional<int> DisplayObject::limnSetBG(std::optional<int> value) {
    setBG({.object = limnHandle, .value = value.value_or(0)});
    return value;
}

std::optional<int> DisplayObject::limnGetBG() const {
    rt::Dynamic raw = getBG({.object = limnHandle});
    if (raw.isNull()) return std::nullopt;
    int colour = raw.asInt();
    if ((colour & kBackgroundSet) == 0) return std::nullopt;
    return colour & 0xFFFFFF;
}

std::optional<DisplayObject::FilterArray> DisplayObject::limnSetFilters(
    const std::optional<FilterArray>& value) {
    if (!value) {
        if (extras_) extras_->limnFilters.reset();
        display::setFilters({.object = limnHandle, .filters = rt::Dynamic()});
        return value;
    }
    auto& filters = extras().limnFilters;
    filters = cloneFilters(*value);
    display::setFilters({.object = limnHandle, .filters = toArray(*filters)});
    return value;
}

DisplayObject::FilterArray DisplayObject::limnGetFilters() const {
    return extras_ && extras_->limnFilters ? cloneFilters(*extras_->limnFilters) : FilterArray();
}

void DisplayObject::limnOnAdded(const std::shared_ptr<DisplayObject>& obj, bool onStage) {
    if (obj.get() == this) {
        auto added = std::make_shared<events::Event>(events::Event::ADDED, true, false);
        added->target = obj;
        dispatchEvent(added);
    }
    if (onStage) {
        auto toStage = std::make_shared<events::Event>(events::Event::ADDED_TO_STAGE, false, false);
        toStage->target = obj;
        dispatchEvent(toStage);
    }
}

void DisplayObject::limnOnRemoved(const std::shared_ptr<DisplayObject>& obj, bool wasOnStage) {
    if (obj.get() == this) {
        auto removed = std::make_shared<events::Event>(events::Event::REMOVED, true, false);
        removed->target = obj;
        dispatchEvent(removed);
    }
    if (wasOnStage) {
        auto fromStage =
            std::make_shared<events::Event>(events::Event::REMOVED_FROM_STAGE, false, false);
        fromStage->target = obj;
        dispatchEvent(fromStage);
    }
}

std::shared_ptr<DisplayObjectContainer> DisplayObject::limnSetParent(
    const std::shared_ptr<DisplayObjectContainer>& newParent) {
    auto old = limnParent.lock();
    if (old == newParent) return newParent;
    auto keep = self();
    if (old) old->limnRemoveChildFromArray(keep);
    old = limnParent.lock();
    if (!old && newParent) {
        limnParent = newParent;
        limnOnAdded(keep, limnGetStage() != nullptr);
    } else if (old && !newParent) {
        bool wasOnStage = limnGetStage() != nullptr;
        limnParent.reset();
        limnOnRemoved(keep, wasOnStage);
    } else if (old && newParent) {
        limnParent = newParent;
    }
    return newParent;
}

std::shared_ptr<geom::Matrix> DisplayObject::limnGetMatrix() const {
    auto m = std::make_shared<geom::Matrix>();
    getMatrix({.object = limnHandle, .into = m, .concatenated = false});
    return m;
}

std::shared_ptr<geom::Matrix> DisplayObject::limnGetConcatenatedMatrix() const {
    auto m = std::make_shared<geom::Matrix>();
    getMatrix({.object = limnHandle, .into = m, .concatenated = true});
    return m;
}

std::shared_ptr<geom::Matrix> DisplayObject::limnSetMatrix(const std::shared_ptr<geom::Matrix>& m) {
    setMatrix({.object = limnHandle, .matrix = m});
    return m;
}

std::shared_ptr<geom::ColorTransform> DisplayObject::limnGetColorTransform() const {
    auto ct = std::make_shared<geom::ColorTransform>();
    getColorTransform({.object = limnHandle, .into = ct, .concatenated = false});
    return ct;
}

std::shared_ptr<geom::ColorTransform> DisplayObject::limnGetConcatenatedColorTransform() const {
    auto ct = std::make_shared<geom::ColorTransform>();
    getColorTransform({.object = limnHandle, .into = ct, .concatenated = true});
    return ct;
}

std::shared_ptr<geom::ColorTransform> DisplayObject::limnSetColorTransform(
    const std::shared_ptr<geom::ColorTransform>& ct) {
    setColorTransform({.object = limnHandle, .transform = ct});
    return ct;
}

std::shared_ptr<geom::Rectangle> DisplayObject::limnGetPixelBounds() const {
    auto r = std::make_shared<geom::Rectangle>();
    getPixelBounds({.object = limnHandle, .into = r});
    return r;
}

std::shared_ptr<geom::Transform> DisplayObject::limnGetTransform() {
    return std::make_shared<geom::Transform>(self());
}

std::shared_ptr<geom::Transform> DisplayObject::limnSetTransform(
    const std::shared_ptr<geom::Transform>& t) {
    if (!t) throw rt::Error("transform: null is not a transform");
    limnSetMatrix(t->limnGetMatrix());
    limnSetColorTransform(t->limnGetColorTransform());
    return t;
}

double DisplayObject::limnGetAlpha() const {
    return getAlpha({.object = limnHandle});
}

double DisplayObject::limnSetAlpha(double value) {
    display::setAlpha({.object = limnHandle, .value = value});
    return value;
}

std::shared_ptr<geom::Point> DisplayObject::globalToLocal(const geom::Point& point) {
    auto converted = point.clone();
    globalToLocalPrim({.object = limnHandle, .point = converted});
    return converted;
}

std::shared_ptr<geom::Point> DisplayObject::localToGlobal(const geom::Point& point) {
    auto converted = point.clone();
    localToGlobalPrim({.object = limnHandle, .point = converted});
    return converted;
}

bool DisplayObject::hitTestPoint(double x, double y, bool shapeFlag) {
    return hitTestPointPrim(
        {.object = limnHandle, .x = x, .y = y, .shape = shapeFlag, .visibleOnly = true});
}

void DisplayObject::limnGetObjectsUnderPoint(const geom::Point& point, ObjectArray& result) {
    if (hitTestPointPrim({.object = limnHandle,
                          .x = point.x,
                          .y = point.y,
                          .shape = true,
                          .visibleOnly = false})) {
        result.push_back(self());
    }
}

std::shared_ptr<InteractiveObject> DisplayObject::limnAsInteractiveObject() {
    return nullptr;
}

void DisplayObject::limnGetInteractiveObjectStack(InteractiveStack& stack) {
    if (auto interactive = limnAsInteractiveObject()) stack.push_back(std::move(interactive));
    if (auto parent = limnParent.lock()) parent->limnGetInteractiveObjectStack(stack);
}

void DisplayObject::limnBroadcast(const std::shared_ptr<events::Event>& event) {
    dispatchEvent(event);
}

void DisplayObject::limnFireEvent(const std::shared_ptr<events::Event>& event) {
    auto keep = self();
    InteractiveStack stack;
    if (auto parent = limnParent.lock()) parent->limnGetInteractiveObjectStack(stack);

    if (!stack.empty()) {
        event->limnSetPhase(events::EventPhase::CAPTURING_PHASE);
        std::reverse(stack.begin(), stack.end());
        for (const auto& o : stack) {
            event->currentTarget = o;
            o->dispatchEvent(event);
            if (event->limnGetIsCancelled()) return;
        }
    }

    event->limnSetPhase(events::EventPhase::AT_TARGET);
    event->currentTarget = keep;
    dispatchEvent(event);
    if (event->limnGetIsCancelled()) return;

    if (event->bubbles) {
        event->limnSetPhase(events::EventPhase::BUBBLING_PHASE);
        std::reverse(stack.begin(), stack.end());
        for (const auto& o : stack) {
            event->currentTarget = o;
            o->dispatchEvent(event);
            if (event->limnGetIsCancelled()) return;
        }
    }
}

void DisplayObject::limnDrawToSurface(const rt::Dynamic& surface,
                                      const std::shared_ptr<geom::Matrix>& matrix,
                                      const std::shared_ptr<geom::ColorTransform>& colorTransform,
                                      const rt::Dynamic& blendMode,
                                      const std::shared_ptr<geom::Rectangle>& clipRect,
                                      bool /*smoothing*/) {
    drawToSurface({.object = limnHandle,
                   .surface = surface,
                   .matrix = matrix,
                   .colorTransform = colorTransform,
                   .blendMode = blendMode,
                   .clipRect = clipRect});
}

std::string DisplayObject::toString() const {
    return limnName + " " + std::to_string(limnID);
}

rt::Dynamic DisplayObject::byNameGetBlendMode() {
    return static_cast<int>(limnGetBlendMode());
}

int DisplayObject::byNameSetBlendMode(int index) {
    if (index < 0 || index >= kBlendModeCount) index = 0;
    limnSetBlendMode(static_cast<BlendMode>(index));
    return index;
}

rt::Dynamic DisplayObject::byNameGetBG() {
    auto colour = limnGetBG();
    return colour ? rt::Dynamic(*colour) : rt::Dynamic();
}

rt::Dynamic DisplayObject::byNameSetBG(const rt::Dynamic& value) {
    limnSetBG(value.isNull() ? std::nullopt : std::optional<int>(value.asInt()));
    return value;
}

rt::ArrayPtr DisplayObject::byNameGetFilters() const {
    return toArray(limnGetFilters());
}

rt::Dynamic DisplayObject::byNameSetFilters(const rt::Dynamic& value) {
    if (value.isNull()) {
        limnSetFilters(std::nullopt);
        return value;
    }
    auto array = value.asArray();
    if (!array) throw rt::Error("filters: expected an array, got " + value.toString());
    FilterArray filters;
    filters.reserve(array->size());
    for (const auto& item : *array) {
        auto filter = item.as<filters::BitmapFilter>();
        if (!filter) throw rt::Error("filters: " + item.toString() + " is not a filter");
        filters.push_back(std::move(filter));
    }
    limnSetFilters(filters);
    return value;
}

rt::Dynamic DisplayObject::byNameGetStage() {
    return limnGetStage();
}

rt::Dynamic DisplayObject::byNameGetObjectsUnderPoint(const geom::Point& point) {
    ObjectArray found;
    limnGetObjectsUnderPoint(point, found);
    auto array = std::make_shared<rt::Array>(found.begin(), found.end());
    return array;
}

const rt::ClassInfo& DisplayObject::staticClass() {
    using D = DisplayObject;
    using Self = DisplayObject;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.display.DisplayObject", &events::EventDispatcher::staticClass())
            LIMN_DISPLAY_OBJECT_PROPERTIES(RT_BIND_RW, RT_BIND_RO)
                .property<&D::byNameGetBlendMode, &D::byNameSetBlendMode>("blendMode")
                .property<&D::byNameGetBG, &D::byNameSetBG>("opaqueBackground")
                .property<&D::byNameGetFilters, &D::byNameSetFilters>("filters")
                .property<&D::limnGetTransform, &D::limnSetTransform>("transform")
                .property<&D::limnGetGraphics>("graphics")
                .property<&D::byNameGetStage>("stage")
                .property<&D::byNameGetID>("limnID")
                .property<&D::pivotX, &D::setPivotX>("pivotX")
                .property<&D::pivotY, &D::setPivotY>("pivotY")
                .field<&D::limnName>("limnName")
                .method<&D::globalToLocal>("globalToLocal")
                .method<&D::localToGlobal>("localToGlobal")
                .method<&D::hitTestPoint>("hitTestPoint")
                .method<&D::byNameGetObjectsUnderPoint>("limnGetObjectsUnderPoint")
                .method<&D::limnFireEvent>("limnFireEvent")
                .method<&D::limnBroadcast>("limnBroadcast")
                .method<&D::limnFindByID>("limnFindByID")
                .method<&D::toString>("toString");
    return info;
}

}  // namespace limn::display
