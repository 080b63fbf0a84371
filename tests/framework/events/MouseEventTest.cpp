#include <gtest/gtest.h>

#include "framework/events/MouseEvent.h"
#include "framework/events/TouchEvent.h"
#include "framework/geom/Point.h"
#include "native/EventRecord.h"

namespace {

using limn::events::Event;
using limn::events::MouseEvent;
using limn::events::TouchEvent;
using limn::geom::Point;

limn::native::EventRecord record(int flags, double x = 0, double y = 0) {
    limn::native::EventRecord r;
    r.flags = flags;
    r.x = x;
    r.y = y;
    return r;
}

TEST(MouseEventCreate, LeftAndCtrlBitsGiveButtonDownAndCtrl) {
    auto r = record(0x0005);
    auto e = MouseEvent::limnCreate("mouseDown", r, Point(), nullptr);
    EXPECT_TRUE(e->buttonDown);
    EXPECT_TRUE(e->ctrlKey);
    EXPECT_FALSE(e->shiftKey);
    EXPECT_FALSE(e->altKey);
}

TEST(MouseEventCreate, ShiftAndAltBitsAreDecoded) {
    auto r = record(0x000A);
    auto e = MouseEvent::limnCreate("mouseMove", r, Point(), nullptr);
    EXPECT_TRUE(e->shiftKey);
    EXPECT_TRUE(e->altKey);
    EXPECT_FALSE(e->buttonDown);
    EXPECT_FALSE(e->ctrlKey);
}

TEST(MouseEventCreate, CommandBitIsNotRead) {
    auto r = record(0x0010);
    auto e = MouseEvent::limnCreate("mouseMove", r, Point(), nullptr);
    EXPECT_FALSE(e->commandKey);
}

TEST(MouseEventCreate, LocalFromThePointStageFromTheRecordTargetAsGiven) {
    auto r = record(0, 150, 42.5);
    auto target = std::make_shared<Event>("stand-in target");
    auto e = MouseEvent::limnCreate("click", r, Point(3, 4), target);
    EXPECT_EQ(e->type, "click");
    EXPECT_EQ(e->localX, 3.0);
    EXPECT_EQ(e->localY, 4.0);
    EXPECT_EQ(e->stageX, 150.0);
    EXPECT_EQ(e->stageY, 42.5);
    EXPECT_EQ(e->target.asObject(), target);
    EXPECT_TRUE(e->bubbles);
    EXPECT_FALSE(e->cancelable);
    EXPECT_TRUE(e->relatedObject.isNull());
}

TEST(MouseEventCreate, ReadsAnyObjectWithTheFieldNames) {
    auto plain = rt::props({{"flags", 1}, {"x", 7}, {"y", "8.5"}});
    auto e = MouseEvent::limnCreate("mouseDown", *plain, Point(), nullptr);
    EXPECT_TRUE(e->buttonDown);
    EXPECT_EQ(e->stageX, 7.0);
    EXPECT_EQ(e->stageY, 8.5);
}

TEST(MouseEventCreate, ARecordWithoutTheFieldsReadsAsZero) {
    auto empty = rt::props();
    auto e = MouseEvent::limnCreate("mouseDown", *empty, Point(1, 2), nullptr);
    EXPECT_FALSE(e->buttonDown);
    EXPECT_EQ(e->stageX, 0.0);
    EXPECT_EQ(e->localX, 1.0);
}

TEST(MouseEventCreate, TouchVersionBuildsATouchEvent) {
    auto r = record(0x0001, 10, 20);
    auto e = TouchEvent::limnCreate("touchBegin", r, Point(1, 2), nullptr);
    EXPECT_EQ(e->classInfo().name(), "limn.events.TouchEvent");
    EXPECT_TRUE(e->buttonDown);
    EXPECT_EQ(e->stageX, 10.0);
    EXPECT_TRUE(e->isPrimaryTouchPoint);
    EXPECT_EQ(e->touchPointID, 0);
}

class CreateSimilar : public ::testing::Test {
protected:
    std::shared_ptr<Event> before = std::make_shared<Event>("before");
    std::shared_ptr<Event> after = std::make_shared<Event>("after");
    std::shared_ptr<Event> oldTarget = std::make_shared<Event>("old");
    std::shared_ptr<MouseEvent> source = std::make_shared<MouseEvent>(
        "mouseMove", true, true, 1.5, 2.5, before, true, true, false, true, 4, true, 2);

    void SetUp() override {
        source->stageX = 100;
        source->stageY = 200;
        source->target = oldTarget;
        source->limnSetPhase(2);
    }
};

TEST_F(CreateSimilar, CarriesFlagsCoordinatesAndKeysButNotStagePosition) {
    auto e = source->limnCreateSimilar("mouseOut");
    EXPECT_EQ(e->type, "mouseOut");
    EXPECT_TRUE(e->bubbles);
    EXPECT_TRUE(e->cancelable);
    EXPECT_EQ(e->localX, 1.5);
    EXPECT_EQ(e->localY, 2.5);
    EXPECT_TRUE(e->ctrlKey);
    EXPECT_TRUE(e->altKey);
    EXPECT_FALSE(e->shiftKey);
    EXPECT_TRUE(e->buttonDown);
    EXPECT_EQ(e->delta, 4);
    EXPECT_TRUE(e->commandKey);
    EXPECT_EQ(e->clickCount, 2);
    EXPECT_EQ(e->stageX, 0.0) << "stageX is not carried over";
    EXPECT_EQ(e->stageY, 0.0) << "stageY is not carried over";
    EXPECT_EQ(e->eventPhase, 1);
}

TEST_F(CreateSimilar, RelatedObjectIsTheGivenOneElseTheSources) {
    EXPECT_EQ(source->limnCreateSimilar("rollOut")->relatedObject.asObject(), before);
    EXPECT_EQ(source->limnCreateSimilar("rollOut", after)->relatedObject.asObject(), after);
}

TEST_F(CreateSimilar, TargetIsSetOnlyWhenGiven) {
    EXPECT_TRUE(source->limnCreateSimilar("mouseOver", after)->target.isNull());
    EXPECT_EQ(source->limnCreateSimilar("mouseOut", after, oldTarget)->target.asObject(),
              oldTarget);
}

TEST(CreateSimilarTouch, ATouchEventYieldsATouchEventWithItsTouchFields) {
    auto touch = std::make_shared<TouchEvent>("touchMove", true, false, 5, 6);
    touch->touchPointID = 3;
    touch->isPrimaryTouchPoint = false;
    std::shared_ptr<MouseEvent> asMouse = touch;
    auto similar = std::dynamic_pointer_cast<TouchEvent>(asMouse->limnCreateSimilar("touchOut"));
    ASSERT_NE(similar, nullptr) << "a touch event should derive touch events";
    EXPECT_EQ(similar->touchPointID, 3);
    EXPECT_FALSE(similar->isPrimaryTouchPoint);
    EXPECT_EQ(similar->localX, 5.0);
}

TEST(CreateSimilarTouch, ReachableByNameAndStillATouchEvent) {
    auto touch = std::make_shared<TouchEvent>("touchMove");
    touch->touchPointID = 8;
    const rt::Dynamic args[] = {"touchRollOver"};
    auto similar = touch->callMethod("limnCreateSimilar", args).as<TouchEvent>();
    ASSERT_NE(similar, nullptr);
    EXPECT_EQ(similar->type, "touchRollOver");
    EXPECT_EQ(similar->touchPointID, 8);
}

}  // namespace
