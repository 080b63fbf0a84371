#include "framework/display/ManagedStage.h"

#include <gtest/gtest.h>

#include "tests/framework/display/StageProbe.h"
#include "tests/framework/display/StageTestSupport.h"

namespace limn::testing {
namespace {

using display::ManagedStage;

// A managed stage whose pumped records reach its handler at once, as the
// backend would deliver them.
class ManagedStageTest : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        managed = std::make_shared<ManagedStage>(320, 480);
        handler = backend.last("limn_set_stage_handler")->args[1].asFunction();
        backend.answerWith("limn_managed_stage_pump_event", [this](rt::Args args) {
            handler(args[1]);
            return rt::Dynamic();
        });
        managed->beginRender = rt::function([this] { log.lines.push_back("begin"); });
        managed->endRender = rt::function([this] { log.lines.push_back("end"); });
        managed->setNextWake = rt::function([this](double wake) { wakes.push_back(wake); });
        backend.answerWith("limn_render_stage", [this](rt::Args) {
            log.lines.push_back("render");
            return rt::Dynamic();
        });
    }

    std::shared_ptr<ManagedStage> managed;
    rt::Function handler;
    StageLog log;
    std::vector<double> wakes;
};

TEST_F(ManagedStageTest, IsBuiltOnItsOwnNativeStage) {
    const auto* call = backend.last("limn_managed_stage_create");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0].asInt(), 320);
    EXPECT_EQ(call->args[1].asInt(), 480);
    EXPECT_EQ(backend.last("limn_set_stage_handler")->args[0], managed->limnHandle);
}

TEST_F(ManagedStageTest, ResizePumpsOneRecordAndRendersWithoutEnterFrame) {
    display::StageProbe::lastRender(*managed) = 0;
    backend.setTime(0.001);  // no frame due
    log.listen(*managed, "stage", {"resize", "enterFrame"});
    backend.clearCalls();
    managed->resize(800, 600);
    const auto pumped = backend.callsTo("limn_managed_stage_pump_event");
    ASSERT_EQ(pumped.size(), 1u);
    auto r = pumped[0].args[1].asObject();
    EXPECT_EQ(r->get("type").asInt(), 8);
    EXPECT_EQ(r->get("x").asInt(), 800);
    EXPECT_EQ(r->get("y").asInt(), 600);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"stage:resize", "begin", "render", "end"}));
}

TEST_F(ManagedStageTest, SendQuitRunsTheQuitHook) {
    int quits = 0;
    managed->onQuit = rt::function([&] { ++quits; });
    managed->sendQuit();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(
        backend.last("limn_managed_stage_pump_event")->args[1].asObject()->get("type").asInt(), 10);
}

TEST_F(ManagedStageTest, HostHearsTheWakeOfEveryEvent) {
    for (int type : {0, 4, 9, 14}) {
        auto r = std::make_shared<EventRecord>();
        r->type = type;
        const double wake = managed->limnDoProcessStageEvent(r);
        ASSERT_FALSE(wakes.empty());
        EXPECT_EQ(wakes.back(), wake) << "event type " << type;
        EXPECT_EQ(lastWake(), wake);
    }
}

TEST_F(ManagedStageTest, OverdueFrameRendersBeforeTheMoveIsRouted) {
    auto child = std::make_shared<Sprite>();
    managed->addChild(child);
    log.listen(*child, "child", {"enterFrame", "mouseMove"});
    backend.setTime(1.0);
    auto r = std::make_shared<EventRecord>();
    r->type = ManagedStage::etMouseMove;
    r->id = child->limnID;
    managed->pumpEvent(r);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"begin", "child:enterFrame", "render", "end",
                                                   "child:mouseMove"}));
}

TEST_F(ManagedStageTest, ClearedHooksAreSkipped) {
    managed->beginRender = rt::Function();
    managed->endRender = rt::Function();
    managed->setNextWake = rt::Function();
    backend.setTime(1.0);
    EXPECT_NO_THROW(managed->limnDoProcessStageEvent(rt::props({{"type", 9}})));
    EXPECT_EQ(log.lines, std::vector<std::string>{"render"});
}

}  // namespace
}  // namespace limn::testing
