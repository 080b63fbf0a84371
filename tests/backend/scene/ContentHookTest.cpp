#include "backend/scene/HitTester.h"
#include "backend/scene/Renderer.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

// A node that draws a 10 x 10 green box of its own, as a text field would.
class BoxNode final : public SceneNode {
public:
    BoxNode() : SceneNode(NodeKind::Interactive) {}
    void drawContent(Canvas& canvas, const RenderState& state) override {
        ++draws;
        CanvasPath box;
        box.rect(0, 0, 10, 10);
        canvas.fill(box, CanvasPaint::solid({0, 1, 0, state.color.alpha(1.0)}), FillRule::Winding);
    }
    bool hitContent(double x, double y) override { return x >= 0 && y >= 0 && x < 10 && y < 10; }
    Bounds contentBounds() override { return Bounds::of(0, 0, 10, 10); }
    int draws = 0;
};

using ContentHooks = BackendTest;

TEST_F(ContentHooks, SubclassContentIsDrawnWithTheNodeTransformAndAlpha) {
    auto stage = std::make_shared<StageNode>(40, 40);
    auto box = std::make_shared<BoxNode>();
    stage->addChild(box);
    box->setX(20);
    box->setAlpha(0.5);
    stage->render();
    EXPECT_EQ(box->draws, 1);
    EXPECT_TRUE(near(pixel(stage, 25, 5), 0xFF80FF80, 2));
    EXPECT_EQ(pixel(stage, 5, 5), 0xFFFFFFFFu);
}

TEST_F(ContentHooks, SubclassContentTakesHitsAndSizesTheNode) {
    auto stage = std::make_shared<StageNode>(40, 40);
    auto box = std::make_shared<BoxNode>();
    stage->addChild(box);
    box->setScaleX(2);
    EXPECT_EQ(HitTester::pick(*stage, 15, 5), box.get());
    EXPECT_EQ(HitTester::pick(*stage, 25, 5), nullptr);
    EXPECT_DOUBLE_EQ(box->width(), 20.0);
    box->setMouseEnabled(false);
    EXPECT_EQ(HitTester::pick(*stage, 15, 5), nullptr);
}

TEST_F(ContentHooks, NodesWithoutContentAreNotAskedToDraw) {
    auto stage = std::make_shared<StageNode>(40, 40);
    auto box = std::make_shared<BoxNode>();
    box->setVisible(false);
    stage->addChild(box);
    stage->render();
    EXPECT_EQ(box->draws, 0);
}

}  // namespace
}  // namespace limn::sdl::testing
