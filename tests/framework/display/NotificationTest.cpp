#include <gtest/gtest.h>

#include "tests/framework/display/DisplayTestSupport.h"
#include "tests/framework/display/StageProbe.h"

namespace limn::display {

struct ParentProbe {
    static void setParent(DisplayObject& o, const std::shared_ptr<DisplayObjectContainer>& p) {
        o.limnSetParent(p);
    }
};

}  // namespace limn::display

namespace limn::testing {
namespace {

using events::Event;

class StageNotifications : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        stage = makeStage();
    }

    void listenAll(DisplayObject& o, const std::string& who) {
        for (const char* type :
             {Event::ADDED, Event::ADDED_TO_STAGE, Event::REMOVED, Event::REMOVED_FROM_STAGE}) {
            log.listen(o, who, type);
        }
    }

    std::shared_ptr<Stage> stage;
    EventLog log;
};

TEST_F(StageNotifications, AttachUnderTheStageSendsAddedThenAddedToStage) {
    auto shape = std::make_shared<Shape>();
    std::vector<rt::Dynamic> targets;
    for (const char* type : {Event::ADDED, Event::ADDED_TO_STAGE}) {
        shape->addEventListener(type, rt::function([&](const std::shared_ptr<Event>& e) {
                                    targets.push_back(e->target);
                                }));
    }
    listenAll(*shape, "shape");
    stage->addChild(shape);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"shape:added", "shape:addedToStage"}));
    EXPECT_EQ(targets, (std::vector<rt::Dynamic>{shape, shape}));
}

TEST_F(StageNotifications, AttachOffTheStageSendsOnlyAdded) {
    auto sprite = std::make_shared<Sprite>();
    auto shape = std::make_shared<Shape>();
    listenAll(*shape, "shape");
    sprite->addChild(shape);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"shape:added"}));
}

TEST_F(StageNotifications, AddedListenerSeesTheParentButNotTheListing) {
    auto sprite = std::make_shared<Sprite>();
    auto shape = std::make_shared<Shape>();
    std::shared_ptr<DisplayObjectContainer> seenParent;
    int seenCount = -1;
    shape->addEventListener(Event::ADDED, rt::function([&](const std::shared_ptr<Event>&) {
                                seenParent = shape->limnGetParent();
                                seenCount = sprite->limnGetNumChildren();
                            }));
    sprite->addChild(shape);
    EXPECT_EQ(seenParent, sprite);
    EXPECT_EQ(seenCount, 0);
}

TEST_F(StageNotifications, DescendantsHearStageChangesWithTheAttachedObjectAsTarget) {
    auto outer = std::make_shared<Sprite>();
    auto inner = std::make_shared<Sprite>();
    auto leaf = std::make_shared<Shape>();
    outer->addChild(inner);
    inner->addChild(leaf);
    listenAll(*outer, "outer");
    listenAll(*inner, "inner");
    listenAll(*leaf, "leaf");
    rt::Dynamic leafTarget;
    leaf->addEventListener(
        Event::ADDED_TO_STAGE,
        rt::function([&](const std::shared_ptr<Event>& e) { leafTarget = e->target; }));

    stage->addChild(outer);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"outer:added", "outer:addedToStage",
                                                   "inner:addedToStage", "leaf:addedToStage"}));
    EXPECT_EQ(leafTarget, rt::Dynamic(outer));

    log.lines.clear();
    stage->removeChild(outer);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"outer:removed", "outer:removedFromStage",
                                        "inner:removedFromStage", "leaf:removedFromStage"}));
}

TEST_F(StageNotifications, RemovedListenerFindsTheChildAlreadyGone) {
    auto shape = std::make_shared<Shape>();
    stage->addChild(shape);
    bool parentNull = false;
    int count = -1;
    shape->addEventListener(Event::REMOVED, rt::function([&](const std::shared_ptr<Event>&) {
                                parentNull = shape->limnGetParent() == nullptr;
                                count = stage->limnGetNumChildren();
                            }));
    stage->removeChild(shape);
    EXPECT_TRUE(parentNull);
    EXPECT_EQ(count, 0);
}

TEST_F(StageNotifications, MovingBetweenContainersNotifiesNobody) {
    auto a = std::make_shared<Sprite>();
    auto b = std::make_shared<Sprite>();
    stage->addChild(a);
    auto shape = std::make_shared<Shape>();
    a->addChild(shape);
    listenAll(*shape, "shape");
    listenAll(*a, "a");
    listenAll(*b, "b");
    b->addChild(shape);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(shape->limnGetParent(), b);
    EXPECT_EQ(a->limnGetNumChildren(), 0);
    EXPECT_EQ(nativeChildren(*a), std::vector<int>{});
    EXPECT_EQ(arrayIds(*b), nativeChildren(*b));
}

TEST_F(StageNotifications, SettingTheSameParentAgainDoesNothing) {
    auto sprite = std::make_shared<Sprite>();
    auto shape = std::make_shared<Shape>();
    sprite->addChild(shape);
    std::shared_ptr<DisplayObject> detached = std::make_shared<Shape>();
    listenAll(*shape, "shape");
    listenAll(*detached, "detached");
    backend.clearCalls();
    display::ParentProbe::setParent(*shape, sprite);
    display::ParentProbe::setParent(*detached, nullptr);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(StageNotifications, StageIsTheRootOfTheChainOrNull) {
    auto sprite = std::make_shared<Sprite>();
    auto shape = std::make_shared<Shape>();
    sprite->addChild(shape);
    EXPECT_EQ(shape->limnGetStage(), nullptr);
    EXPECT_TRUE(shape->get("stage").isNull());
    stage->addChild(sprite);
    EXPECT_NE(shape->limnGetStage(), nullptr);
    EXPECT_EQ(shape->get("stage"), rt::Dynamic(stage));
    EXPECT_EQ(shape->get("parent"), rt::Dynamic(sprite));
}

class Dragging : public DisplayTest {};

TEST_F(Dragging, OffTheStageStartAndStopDoNothing) {
    auto sprite = std::make_shared<Sprite>();
    auto holder = std::make_shared<Sprite>();
    holder->addChild(sprite);
    backend.clearCalls();
    sprite->startDrag(true);
    sprite->stopDrag();
    EXPECT_TRUE(backend.calls().empty());
}

TEST_F(Dragging, OnTheStageTheRequestsReachTheStage) {
    auto stage = makeStage();
    auto holder = std::make_shared<Sprite>();
    auto sprite = std::make_shared<Sprite>();
    stage->addChild(holder);
    holder->addChild(sprite);
    backend.answer("limn_display_object_get_width", 40);
    auto bounds = std::make_shared<geom::Rectangle>(0, 0, 100, 100);
    sprite->startDrag(true, bounds);
    EXPECT_EQ(display::StageProbe::dragObject(*stage), sprite);
    EXPECT_EQ(display::StageProbe::dragOffsetX(*stage), -20) << "lockCenter reached the stage";
    ASSERT_NE(display::StageProbe::dragBounds(*stage), nullptr);
    EXPECT_EQ(display::StageProbe::dragBounds(*stage)->width, 100);
    sprite->stopDrag();
    EXPECT_EQ(display::StageProbe::dragObject(*stage), nullptr);
    EXPECT_EQ(display::StageProbe::dragBounds(*stage), nullptr);
}

TEST_F(Dragging, ByNameAMissingLockCenterCountsAsFalse) {
    auto stage = makeStage();
    auto sprite = std::make_shared<Sprite>();
    stage->addChild(sprite);
    backend.answer("limn_display_object_get_width", 40);
    sprite->callMethod("startDrag", {});
    EXPECT_EQ(display::StageProbe::dragObject(*stage), sprite);
    EXPECT_EQ(display::StageProbe::dragOffsetX(*stage), 0);
}

}  // namespace
}  // namespace limn::testing
