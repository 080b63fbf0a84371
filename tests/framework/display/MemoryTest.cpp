#include <gtest/gtest.h>

#include "framework/geom/Transform.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using events::Event;

// A sprite that listens to itself and to its child with bound methods.
class Listening : public Sprite {
public:
    Listening() {
        addEventListener(Event::ADDED, rt::bind<&Listening::onEvent>(this));
        addEventListener(Event::ENTER_FRAME, rt::bind<&Listening::onEvent>(this));
    }
    void watch(DisplayObject& other) {
        other.addEventListener(Event::REMOVED, rt::bind<&Listening::onEvent>(this));
    }
    void onEvent(const std::shared_ptr<Event>&) { ++heard; }
    int heard = 0;
};

class Memory : public DisplayTest {};

TEST_F(Memory, DetachedTreeWithListenersAndCachesIsFreed) {
    std::weak_ptr<Listening> parentRef;
    std::weak_ptr<Shape> childRef;
    {
        auto parent = std::make_shared<Listening>();
        auto child = std::make_shared<Shape>();
        parent->addChild(child);
        parent->watch(*child);
        child->addEventListener(Event::ENTER_FRAME, rt::bind<&Listening::onEvent>(parent));
        (void)parent->limnGetGraphics();
        (void)child->limnGetGraphics();
        (void)parent->limnGetTransform();
        parent->limnSetMask(parent);
        parent->limnBroadcast(std::make_shared<Event>(Event::ENTER_FRAME));
        EXPECT_EQ(parent->heard, 2);
        parentRef = parent;
        childRef = child;
    }
    EXPECT_TRUE(parentRef.expired());
    EXPECT_TRUE(childRef.expired());
}

TEST_F(Memory, RemovedChildIsFreedOnceDropped) {
    auto parent = std::make_shared<Sprite>();
    std::weak_ptr<Shape> childRef;
    {
        auto child = std::make_shared<Shape>();
        childRef = child;
        parent->addChild(child);
    }
    EXPECT_FALSE(childRef.expired()) << "the container owns its child";
    parent->removeChildAt(0);
    EXPECT_TRUE(childRef.expired());
}

TEST_F(Memory, ParentLinkDoesNotKeepTheParentAlive) {
    auto child = std::make_shared<Shape>();
    std::weak_ptr<Sprite> parentRef;
    {
        auto parent = std::make_shared<Sprite>();
        parentRef = parent;
        parent->addChild(child);
    }
    EXPECT_TRUE(parentRef.expired());
    EXPECT_EQ(child->limnGetParent(), nullptr);
    EventLog log;
    log.listen(*child, "child", Event::ADDED);
    auto next = std::make_shared<Sprite>();
    next->addChild(child);
    EXPECT_EQ(log.lines, std::vector<std::string>{"child:added"});
}

TEST_F(Memory, TransformKeepsItsObjectOnlyWhileHeld) {
    std::weak_ptr<Shape> shapeRef;
    std::shared_ptr<geom::Transform> view;
    {
        auto shape = std::make_shared<Shape>();
        shapeRef = shape;
        view = shape->limnGetTransform();
    }
    EXPECT_FALSE(shapeRef.expired());
    view.reset();
    EXPECT_TRUE(shapeRef.expired());
}

}  // namespace
}  // namespace limn::testing
