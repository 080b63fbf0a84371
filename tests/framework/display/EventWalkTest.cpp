#include <gtest/gtest.h>

#include "framework/display/InteractiveObject.h"
#include "framework/events/EventPhase.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using events::Event;

// A stage, a sprite on it, and a shape inside the sprite.
class EventWalk : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        stage = makeStage();
        sprite = std::make_shared<Sprite>();
        shape = std::make_shared<Shape>();
        stage->addChild(sprite);
        sprite->addChild(shape);
        for (auto& [who, o] : std::vector<std::pair<std::string, DisplayObject*>>{
                 {"stage", stage.get()}, {"sprite", sprite.get()}, {"shape", shape.get()}}) {
            log.listen(*o, who + "-capture", "poke", true);
            log.listen(*o, who, "poke");
        }
    }

    std::shared_ptr<Stage> stage;
    std::shared_ptr<Sprite> sprite;
    std::shared_ptr<Shape> shape;
    EventLog log;
};

TEST_F(EventWalk, CapturesFromTheRootThenTargetThenBubblesUp) {
    shape->limnFireEvent(std::make_shared<Event>("poke", true, false));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage-capture:poke", "sprite-capture:poke",
                                                   "shape:poke", "sprite:poke", "stage:poke"}));
}

TEST_F(EventWalk, PhasesAndCurrentTargetFollowTheWalk) {
    std::vector<std::pair<int, rt::Dynamic>> seen;
    auto record = rt::function([&](const std::shared_ptr<Event>& e) {
        seen.emplace_back(e->eventPhase, e->currentTarget);
    });
    stage->addEventListener("tap", record, true);
    shape->addEventListener("tap", record);
    stage->addEventListener("tap", record);
    shape->limnFireEvent(std::make_shared<Event>("tap", true, false));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(events::EventPhase::CAPTURING_PHASE, rt::Dynamic(stage)));
    EXPECT_EQ(seen[1], std::make_pair(events::EventPhase::AT_TARGET, rt::Dynamic(shape)));
    EXPECT_EQ(seen[2], std::make_pair(events::EventPhase::BUBBLING_PHASE, rt::Dynamic(stage)));
}

TEST_F(EventWalk, NonBubblingEventsStopAtTheTarget) {
    shape->limnFireEvent(std::make_shared<Event>("poke", false, false));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage-capture:poke", "sprite-capture:poke",
                                                   "shape:poke"}));
}

TEST_F(EventWalk, StopPropagationEndsTheWalkAfterTheCurrentObject) {
    sprite->addEventListener(
        "poke", rt::function([](const std::shared_ptr<Event>& e) { e->stopPropagation(); }), true);
    log.listen(*sprite, "sprite-capture-later", "poke", true);
    shape->limnFireEvent(std::make_shared<Event>("poke", true, true));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage-capture:poke", "sprite-capture:poke",
                                                   "sprite-capture-later:poke"}));
}

TEST_F(EventWalk, StopPropagationOnANonCancelableEventChangesNothing) {
    sprite->addEventListener(
        "poke", rt::function([](const std::shared_ptr<Event>& e) { e->stopPropagation(); }), true);
    shape->limnFireEvent(std::make_shared<Event>("poke", true, false));
    EXPECT_EQ(log.lines.size(), 5u);
}

TEST_F(EventWalk, StopAtTheTargetKeepsTheBubblePhaseFromRunning) {
    shape->addEventListener(
        "poke", rt::function([](const std::shared_ptr<Event>& e) { e->stopPropagation(); }));
    shape->limnFireEvent(std::make_shared<Event>("poke", true, true));
    EXPECT_EQ(log.lines.back(), "shape:poke");
}

TEST_F(EventWalk, AncestorsAreTakenOnceBeforeTheWalk) {
    auto other = std::make_shared<Sprite>();
    log.listen(*other, "other", "poke");
    sprite->addEventListener(
        "poke", rt::function([&](const std::shared_ptr<Event>&) { other->addChild(shape); }), true);
    shape->limnFireEvent(std::make_shared<Event>("poke", true, false));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage-capture:poke", "sprite-capture:poke",
                                                   "shape:poke", "sprite:poke", "stage:poke"}));
    EXPECT_EQ(shape->limnGetParent(), other);
}

TEST_F(EventWalk, DetachedObjectHearsOnlyItsTargetPhase) {
    auto lone = std::make_shared<Shape>();
    log.listen(*lone, "lone", "poke");
    log.listen(*lone, "lone-capture", "poke", true);
    lone->limnFireEvent(std::make_shared<Event>("poke", true, false));
    EXPECT_EQ(log.lines, std::vector<std::string>{"lone:poke"});
}

TEST_F(EventWalk, InteractiveStackSkipsShapesAndEndsAtTheRoot) {
    display::DisplayObject::InteractiveStack stack;
    shape->limnGetInteractiveObjectStack(stack);
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack[0], sprite);
    EXPECT_EQ(stack[1], stage);
    stack.clear();
    sprite->limnGetInteractiveObjectStack(stack);
    EXPECT_EQ(stack.front(), sprite);
}

class Broadcast : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        root = std::make_shared<Sprite>();
    }

    std::shared_ptr<Sprite> root;
    EventLog log;
};

TEST_F(Broadcast, ReachesChildrenDepthFirstBeforeTheirContainer) {
    auto a = std::make_shared<Sprite>();
    auto a1 = std::make_shared<Shape>();
    auto b = std::make_shared<Shape>();
    root->addChild(a);
    a->addChild(a1);
    root->addChild(b);
    log.listen(*root, "root", "tick");
    log.listen(*a, "a", "tick");
    log.listen(*a1, "a1", "tick");
    log.listen(*b, "b", "tick");
    root->limnBroadcast(std::make_shared<Event>("tick"));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"a1:tick", "a:tick", "b:tick", "root:tick"}));
}

TEST_F(Broadcast, AChildRemovingItselfDoesNotMakeItsSiblingBeSkipped) {
    auto a = std::make_shared<Shape>();
    auto b = std::make_shared<Shape>();
    root->addChild(a);
    root->addChild(b);
    a->addEventListener("tick",
                        rt::function([&](const std::shared_ptr<Event>&) { root->removeChild(a); }));
    log.listen(*a, "a", "tick");
    log.listen(*b, "b", "tick");
    log.listen(*root, "root", "tick");
    root->limnBroadcast(std::make_shared<Event>("tick"));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"a:tick", "b:tick", "root:tick"}));
}

TEST_F(Broadcast, RemovingTheLastChildsPredecessorsEndsTheLoopSafely) {
    auto a = std::make_shared<Shape>();
    auto b = std::make_shared<Shape>();
    auto c = std::make_shared<Shape>();
    root->addChild(a);
    root->addChild(b);
    root->addChild(c);
    b->addEventListener("tick", rt::function([&](const std::shared_ptr<Event>&) {
                            root->removeChild(a);
                            root->removeChild(b);
                            root->removeChild(c);
                        }));
    log.listen(*a, "a", "tick");
    log.listen(*c, "c", "tick");
    log.listen(*root, "root", "tick");
    root->limnBroadcast(std::make_shared<Event>("tick"));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"a:tick", "root:tick"}));
}

TEST_F(Broadcast, LeavesPhaseAndCancellationAlone) {
    auto a = std::make_shared<Shape>();
    root->addChild(a);
    auto e = std::make_shared<Event>("tick", false, true);
    a->addEventListener(
        "tick", rt::function([](const std::shared_ptr<Event>& ev) { ev->stopPropagation(); }));
    log.listen(*root, "root", "tick");
    root->limnBroadcast(e);
    EXPECT_EQ(log.lines, std::vector<std::string>{"root:tick"});
    EXPECT_EQ(e->eventPhase, events::EventPhase::AT_TARGET);
}

}  // namespace
}  // namespace limn::testing
