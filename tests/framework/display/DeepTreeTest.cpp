// Trees built as deep as a program can make them: chains of 100,000 tried top
// down on the stage and bottom up off it stop at the depth limit with the
// error, and every walk over what was built (notifications, broadcast, the
// event path, objects under a point, release) still works. Runs under the
// sanitizers in CI.
#include <gtest/gtest.h>

#include "framework/geom/Point.h"
#include "runtime/Error.h"
#include "tests/framework/display/DisplayTestSupport.h"

namespace limn::testing {
namespace {

using events::Event;

constexpr int kTried = 100000;
constexpr int kLimit = DisplayObjectContainer::kMaxDepth;

class DeepTree : public DisplayTest {
protected:
    std::shared_ptr<Stage> stage = makeStage();
    EventLog log;
};

TEST_F(DeepTree, TopDownOnTheStageStopsAtTheLimitAndWalksStillWork) {
    std::shared_ptr<DisplayObjectContainer> deepest = stage;
    int refused = 0;
    int added = 0;
    for (int level = 1; level <= kTried && refused < 10; ++level) {
        auto next = std::make_shared<Sprite>();
        try {
            deepest->addChild(next);
            deepest = next;
            ++added;
        } catch (const rt::Error&) {
            ++refused;
        }
    }
    EXPECT_EQ(added, kLimit);
    EXPECT_EQ(refused, 10);

    log.listen(*stage, "stage", "poke", true);
    log.listen(*deepest, "deepest", "poke");
    deepest->limnFireEvent(std::make_shared<Event>("poke", true, false));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage:poke", "deepest:poke"}));

    log.listen(*deepest, "deepest", "tick");
    stage->limnBroadcast(std::make_shared<Event>("tick"));
    EXPECT_EQ(log.lines.back(), "deepest:tick");

    backend.answerWith("limn_display_object_hit_test_point",
                       [](rt::Args) { return rt::Dynamic(true); });
    EXPECT_EQ(stage->getObjectsUnderPoint(geom::Point(1, 1)).size(),
              static_cast<std::size_t>(kLimit + 1));

    log.listen(*deepest, "deepest", Event::REMOVED_FROM_STAGE);
    stage->removeChildAt(0);
    EXPECT_EQ(log.lines.back(), "deepest:removedFromStage");
    EXPECT_EQ(deepest->limnGetStage(), nullptr);
}

TEST_F(DeepTree, BottomUpOffTheStageStopsAtTheLimitAndIsReleasedWhole) {
    std::shared_ptr<Sprite> top = std::make_shared<Sprite>();
    std::weak_ptr<Sprite> bottom = top;
    int refused = 0;
    for (int level = 1; level <= kTried && refused < 10; ++level) {
        auto next = std::make_shared<Sprite>();
        try {
            next->addChild(top);
            top = next;
        } catch (const rt::Error&) {
            ++refused;
        }
    }
    EXPECT_EQ(refused, 10);
    EXPECT_THROW(stage->addChild(top), rt::Error) << "a chain of kLimit + 1 levels fits nowhere";
    auto rest = top->removeChildAt(0);
    stage->addChild(rest);
    EXPECT_NE(bottom.lock()->limnGetStage(), nullptr);
    stage->removeChild(rest);
    rest.reset();
    top.reset();
    EXPECT_TRUE(bottom.expired()) << "the chain is released with its top";
}

}  // namespace
}  // namespace limn::testing
