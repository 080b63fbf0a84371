#include <gtest/gtest.h>

#include "framework/display/ManagedStage.h"
#include "framework/events/FocusEvent.h"
#include "framework/events/KeyboardEvent.h"
#include "framework/events/MouseEvent.h"
#include "framework/events/TouchEvent.h"
#include "framework/geom/Point.h"
#include "framework/geom/Rectangle.h"
#include "tests/framework/display/StageProbe.h"
#include "tests/framework/display/StageTestSupport.h"

namespace limn::testing {
namespace {

using display::ManagedStage;
using events::MouseEvent;
using events::TouchEvent;

const std::vector<std::string> kPointer = {"mouseOut", "mouseOver", "rollOut",
                                           "rollOver", "mouseMove", "mouseDown"};

// A stage with a container C holding a sprite S, all logging pointer events.
class StageInput : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        c = sprite(*stage);
        s = sprite(*c);
        log.listen(*stage, "stage", kPointer);
        log.listen(*c, "C", kPointer);
        log.listen(*s, "S", kPointer);
    }
    std::shared_ptr<EventRecord> touch(int type, int id, int touchId, int flags = 0) {
        auto r = record(type, id);
        r->value = touchId;
        r->flags = flags;
        return r;
    }

    std::shared_ptr<Sprite> c;
    std::shared_ptr<Sprite> s;
    StageLog log;
};

TEST_F(StageInput, MovingFromTheStageOntoANestedSprite) {
    send(ManagedStage::etMouseMove, stage->limnID);
    log.lines.clear();
    send(ManagedStage::etMouseMove, s->limnID);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"stage:mouseOut",  // old innermost
                                        "S:mouseOver", "C:mouseOver", "stage:mouseOver",  // bubbles
                                        "S:rollOver", "C:rollOver",  // not the stage
                                        "S:mouseMove", "C:mouseMove", "stage:mouseMove"}));
}

TEST_F(StageInput, OutAndOverCarryTheOtherObject) {
    send(ManagedStage::etMouseMove, stage->limnID);
    rt::Dynamic outRelated, overRelated;
    stage->addEventListener("mouseOut", rt::function([&](const std::shared_ptr<MouseEvent>& e) {
                                outRelated = e->relatedObject;
                            }));
    s->addEventListener("mouseOver", rt::function([&](const std::shared_ptr<MouseEvent>& e) {
                            overRelated = e->relatedObject;
                        }));
    send(ManagedStage::etMouseMove, s->limnID);
    EXPECT_EQ(outRelated, rt::Dynamic(s));
    EXPECT_EQ(overRelated, rt::Dynamic(stage));
}

TEST_F(StageInput, MovingOverTheSameObjectSendsOnlyTheMove) {
    send(ManagedStage::etMouseMove, s->limnID, 1, 1);
    log.lines.clear();
    send(ManagedStage::etMouseMove, s->limnID, 5, 5);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"S:mouseMove", "C:mouseMove", "stage:mouseMove"}));
}

TEST_F(StageInput, LeavingForASiblingRollsOutOnlyTheLeftBranch) {
    auto other = sprite(*stage);
    log.listen(*other, "O", kPointer);
    send(ManagedStage::etMouseMove, s->limnID);
    log.lines.clear();
    send(ManagedStage::etMouseMove, other->limnID);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "S:mouseOut", "C:mouseOut", "stage:mouseOut", "O:mouseOver",
                             "stage:mouseOver", "S:rollOut", "C:rollOut",  // innermost first
                             "O:rollOver", "O:mouseMove", "stage:mouseMove"}));
}

TEST_F(StageInput, PressOverNothingSendsOnlyOutAndRollOut) {
    send(ManagedStage::etMouseMove, s->limnID);
    log.lines.clear();
    send(ManagedStage::etMouseDown, 9999);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"S:mouseOut", "C:mouseOut", "stage:mouseOut",
                                                   "S:rollOut", "C:rollOut", "stage:rollOut"}));
    EXPECT_TRUE(stage->mouseOverObjects().empty());
    log.lines.clear();
    send(ManagedStage::etMouseDown, 9999);
    EXPECT_TRUE(log.lines.empty()) << "nothing was hovered any more";
}

TEST_F(StageInput, HoverStackIsStoredOutermostFirst) {
    send(ManagedStage::etMouseMove, s->limnID);
    ASSERT_EQ(stage->mouseOverObjects().size(), 3u);
    EXPECT_EQ(stage->mouseOverObjects()[0].lock(), stage);
    EXPECT_EQ(stage->mouseOverObjects()[2].lock(), s);
}

TEST_F(StageInput, MouseEventCarriesButtonStageAndLocalCoordinates) {
    backend.answerWith("limn_display_object_global_to_local", [](rt::Args args) {
        auto p = args[1].as<geom::Point>();
        p->x -= 100;
        p->y -= 10;
        return rt::Dynamic(p);
    });
    std::shared_ptr<MouseEvent> got;
    s->addEventListener("mouseDown",
                        rt::function([&](const std::shared_ptr<MouseEvent>& e) { got = e; }));
    auto r = record(ManagedStage::etMouseDown, s->limnID, 130, 40);
    r->flags = ManagedStage::efLeftDown;
    send(r);
    ASSERT_NE(got, nullptr);
    EXPECT_TRUE(got->buttonDown);
    EXPECT_EQ(got->localX, 30.0);
    EXPECT_EQ(got->localY, 30.0);
    EXPECT_EQ(got->stageX, 130.0);
    EXPECT_EQ(got->stageY, 40.0);
    EXPECT_EQ(got->target, rt::Dynamic(s));
}

TEST_F(StageInput, ClickAndMouseUpAreRoutedByTheirOwnTypes) {
    StageLog clicks;
    clicks.listen(*s, "S", {"click", "mouseUp"});
    send(ManagedStage::etMouseClick, s->limnID);
    send(ManagedStage::etMouseUp, s->limnID);
    EXPECT_EQ(clicks.lines, (std::vector<std::string>{"S:click", "S:mouseUp"}));
}

TEST_F(StageInput, TouchCarriesItsIdAndPrimaryFlag) {
    std::shared_ptr<TouchEvent> got;
    s->addEventListener("touchBegin",
                        rt::function([&](const std::shared_ptr<TouchEvent>& e) { got = e; }));
    send(touch(ManagedStage::etTouchBegin, s->limnID, 3, ManagedStage::efPrimaryTouch));
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->touchPointID, 3);
    EXPECT_TRUE(got->isPrimaryTouchPoint);
    send(touch(ManagedStage::etTouchBegin, s->limnID, 4));
    EXPECT_EQ(got->touchPointID, 4);
    EXPECT_FALSE(got->isPrimaryTouchPoint);
}

TEST_F(StageInput, EachTouchKeepsItsOwnHoverStack) {
    auto other = sprite(*stage);
    send(touch(ManagedStage::etTouchBegin, s->limnID, 3));
    send(touch(ManagedStage::etTouchBegin, s->limnID, 4));
    send(touch(ManagedStage::etTouchMove, other->limnID, 4));
    ASSERT_EQ(stage->touches().count(3), 1u);
    EXPECT_EQ(stage->touches().at(3)->limnGetTouchOverObjects().back().lock(), s)
        << "another touch's move changed this touch's hover stack";
    EXPECT_EQ(stage->touches().at(4)->limnGetTouchOverObjects().back().lock(), other);
    EXPECT_TRUE(stage->mouseOverObjects().empty()) << "touches must not touch the mouse stack";
}

TEST_F(StageInput, TouchHoverChangesUseTouchTypes) {
    StageLog touches;
    touches.listen(*s, "S", {"touchOver", "touchRollOver", "touchOut", "touchRollOut"});
    send(touch(ManagedStage::etTouchBegin, s->limnID, 1));
    send(touch(ManagedStage::etTouchMove, 9999, 1));
    EXPECT_EQ(touches.lines, (std::vector<std::string>{"S:touchOver", "S:touchRollOver",
                                                       "S:touchOut", "S:touchRollOut"}));
}

TEST_F(StageInput, TouchEndDropsTheTouchRecord) {
    send(touch(ManagedStage::etTouchBegin, s->limnID, 7));
    EXPECT_EQ(stage->touches().size(), 1u);
    send(touch(ManagedStage::etTouchEnd, s->limnID, 7));
    EXPECT_TRUE(stage->touches().empty());
}

TEST_F(StageInput, TouchWithoutRecordFallsBackToTheMouseStack) {
    send(touch(ManagedStage::etTouchMove, s->limnID, 5));
    EXPECT_TRUE(stage->touches().empty()) << "a move must not create a touch record";
    ASSERT_FALSE(stage->mouseOverObjects().empty());
    EXPECT_EQ(stage->mouseOverObjects().back().lock(), s);
}

TEST_F(StageInput, KeyEventCarriesCodesLocationAndModifiers) {
    std::shared_ptr<events::KeyboardEvent> got;
    s->addEventListener(
        "keyDown", rt::function([&](const std::shared_ptr<events::KeyboardEvent>& e) { got = e; }));
    auto r = record(ManagedStage::etKeyDown, s->limnID);
    r->code = 65;
    r->value = 30;
    r->flags = ManagedStage::efCtrlDown | ManagedStage::efShiftDown;
    send(r);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->charCode, 65);
    EXPECT_EQ(got->keyCode, 30);
    EXPECT_EQ(got->keyLocation, 1);
    EXPECT_TRUE(got->ctrlKey);
    EXPECT_TRUE(got->shiftKey);
    EXPECT_FALSE(got->altKey);
    EXPECT_TRUE(got->bubbles);
    EXPECT_EQ(r->result, 0);
    r->flags = ManagedStage::efLocationRight;
    send(r);
    EXPECT_EQ(got->keyLocation, 0);
}

TEST_F(StageInput, StoppedKeyEventWritesResultOne) {
    c->addEventListener("keyUp", rt::function([](const std::shared_ptr<events::Event>& e) {
                            e->stopPropagation();
                        }));
    StageLog keys;
    keys.listen(*stage, "stage", {"keyUp"});
    auto r = record(ManagedStage::etKeyUp, s->limnID);
    send(r);
    EXPECT_EQ(r->result, 1);
    EXPECT_TRUE(keys.lines.empty()) << "the bubble walk should stop at C";
}

TEST_F(StageInput, KeyEventOverNothingIsDropped) {
    auto r = record(ManagedStage::etKeyDown, 9999);
    send(r);
    EXPECT_EQ(r->result, 0);
}

TEST_F(StageInput, FocusChangeThenFocusOutAndIn) {
    StageLog focus;
    for (auto [who, obj] : {std::pair<std::string, Sprite*>{"C", c.get()}, {"S", s.get()}}) {
        focus.listen(*obj, who, {"mouseFocusChange", "focusIn", "focusOut"});
    }
    auto first = record(ManagedStage::etFocus, s->limnID);
    first->value = 1;
    send(first);
    EXPECT_EQ(focus.lines, (std::vector<std::string>{"S:mouseFocusChange", "C:mouseFocusChange",
                                                     "S:focusIn", "C:focusIn"}));
    focus.lines.clear();
    auto second = record(ManagedStage::etFocus, c->limnID);
    second->value = 2;
    send(second);
    EXPECT_EQ(focus.lines, std::vector<std::string>{"S:focusOut"});
}

TEST_F(StageInput, CancelledFocusChangeKeepsTheFocusStack) {
    auto first = record(ManagedStage::etFocus, c->limnID);
    send(first);  // value 0: no change event, only the focus stack
    ASSERT_EQ(stage->focusOverObjects().back().lock(), c);
    s->addEventListener("keyFocusChange", rt::function([](const std::shared_ptr<events::Event>& e) {
                            e->stopPropagation();
                        }));
    auto r = record(ManagedStage::etFocus, s->limnID);
    r->value = 2;
    send(r);
    EXPECT_EQ(r->result, 1);
    EXPECT_EQ(stage->focusOverObjects().back().lock(), c);
}

TEST_F(StageInput, HoveredObjectFreedMeanwhileIsSkipped) {
    auto leaf = sprite(*c);
    send(ManagedStage::etMouseMove, leaf->limnID);
    c->removeChild(leaf);
    leaf.reset();
    log.lines.clear();
    send(ManagedStage::etMouseMove, s->limnID);
    EXPECT_EQ(log.lines.front(), "S:mouseOver") << "no out event for an object that is gone";
}

class StageDrag : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        dragged = sprite(*stage);
    }
    [[nodiscard]] double stored(const char* setter) const {
        return backend.stored(dragged->limnHandle, setter).asFloat();
    }
    std::shared_ptr<Sprite> dragged;
};

TEST_F(StageDrag, LockCenterPutsTheOriginHalfTheSizeUpAndLeft) {
    backend.answer("limn_display_object_get_width", 40.0);
    backend.answer("limn_display_object_get_height", 20.0);
    dragged->startDrag(true);
    EXPECT_EQ(display::StageProbe::dragObject(*stage), dragged);
    send(ManagedStage::etMouseMove, 0, 100, 100);
    EXPECT_EQ(stored("limn_display_object_set_x"), 80.0);
    EXPECT_EQ(stored("limn_display_object_set_y"), 90.0);
}

TEST_F(StageDrag, BoundsClampThePosition) {
    dragged->startDrag(false, std::make_shared<geom::Rectangle>(0, 0, 100, 100));
    send(ManagedStage::etMouseMove, 0, 150, -20);
    EXPECT_EQ(stored("limn_display_object_set_x"), 100.0);
    EXPECT_EQ(stored("limn_display_object_set_y"), 0.0);
}

TEST_F(StageDrag, BoundsAreCopiedAtStart) {
    auto bounds = std::make_shared<geom::Rectangle>(0, 0, 100, 100);
    dragged->startDrag(false, bounds);
    bounds->width = 500;
    send(ManagedStage::etMouseMove, 0, 300, 50);
    EXPECT_EQ(stored("limn_display_object_set_x"), 100.0);
}

TEST_F(StageDrag, OffsetKeepsTheGrabPoint) {
    backend.answer("limn_display_object_get_mouse_x", 30.0);
    backend.answer("limn_display_object_get_mouse_y", 40.0);
    dragged->limnSetX(10);
    dragged->limnSetY(15);
    dragged->startDrag();
    EXPECT_EQ(display::StageProbe::dragOffsetX(*stage), -20.0);
    EXPECT_EQ(display::StageProbe::dragOffsetY(*stage), -25.0);
    send(ManagedStage::etMouseMove, 0, 50, 50);
    EXPECT_EQ(stored("limn_display_object_set_x"), 30.0);
    EXPECT_EQ(stored("limn_display_object_set_y"), 25.0);
}

TEST_F(StageDrag, StopDragEndsDraggingWhateverSpriteIsGiven) {
    dragged->startDrag(false, std::make_shared<geom::Rectangle>(0, 0, 1, 1));
    stage->limnStopDrag(nullptr);
    EXPECT_EQ(display::StageProbe::dragObject(*stage), nullptr);
    EXPECT_EQ(display::StageProbe::dragBounds(*stage), nullptr);
    backend.clearCalls();
    send(ManagedStage::etMouseMove, 0, 50, 50);
    EXPECT_EQ(backend.count("limn_display_object_set_x"), 0);
}

TEST_F(StageDrag, OnlyMouseEventsMoveTheSprite) {
    dragged->startDrag();
    backend.clearCalls();
    auto r = record(ManagedStage::etTouchBegin, 0, 50, 50);
    send(r);
    EXPECT_EQ(backend.count("limn_display_object_set_x"), 0);
    send(ManagedStage::etMouseDown, 0, 50, 50);
    EXPECT_EQ(backend.count("limn_display_object_set_x"), 1);
}

// A sprite that counts searches of its subtree by id.
class CountingSprite : public Sprite {
public:
    std::shared_ptr<display::DisplayObject> limnFindByID(int id) override {
        ++searches;
        return Sprite::limnFindByID(id);
    }
    static inline int searches = 0;
};

TEST_F(StageTest, TargetIsFoundByIdWithoutSearchingTheTree) {
    std::shared_ptr<Sprite> last;
    for (int i = 0; i < 50; ++i) {
        last = std::make_shared<CountingSprite>();
        stage->addChild(last);
    }
    CountingSprite::searches = 0;
    StageLog moves;
    moves.listen(*last, "last", {"mouseMove"});
    send(ManagedStage::etMouseMove, last->limnID);
    EXPECT_EQ(moves.lines, std::vector<std::string>{"last:mouseMove"});
    EXPECT_EQ(CountingSprite::searches, 0) << "the stage walked its children to find the target";
}

}  // namespace
}  // namespace limn::testing
