#include <gtest/gtest.h>

#include "framework/Lib.h"
#include "framework/display/Stage.h"
#include "framework/events/Listener.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/control/KeyBinding.h"
#include "motion/Kinetra.h"
#include "motion/easing/Expo.h"
#include "motion/easing/Quad.h"
#include "runtime/ProcessState.h"
#include "tests/framework/LibProbe.h"
#include "tests/game/KeyBindingProbe.h"

namespace {

using com::quillfern::burrowbop::Burrowbop;
using com::quillfern::control::KeyBinding;
using com::quillfern::control::KeyBindingProbe;
using com::quillfern::motion::Kinetra;
using limn::display::Stage;
using limn::events::Listener;
using MakeActuator = Kinetra::Actuator (*)(const rt::Dynamic&, double, const rt::ObjectPtr&);

TEST(ProcessState, ResetLeavesEveryOwnerAsAFreshProcessHasIt) {
    rt::resetProcessState();
    const MakeActuator* fresh = Kinetra::defaultActuator.target<MakeActuator>();
    ASSERT_NE(fresh, nullptr);
    const MakeActuator freshActuator = *fresh;

    const Listener used(rt::Function(), false, 0);
    Kinetra::defaultEase = com::quillfern::motion::easing::Quad::easeIn();
    Kinetra::defaultActuator = [](const rt::Dynamic&, double, const rt::ObjectPtr&) {
        return Kinetra::Actuator();
    };
    Stage::shouldRotateInterface = rt::function([](int) { return true; });
    KeyBindingProbe::initialized() = true;
    Burrowbop::PIXI = true;

    rt::resetProcessState();

    EXPECT_EQ(Listener::nextId(), 1);
    EXPECT_NE(std::dynamic_pointer_cast<com::quillfern::motion::easing::ExpoEaseOut>(
                  Kinetra::defaultEase),
              nullptr);
    const MakeActuator* restored = Kinetra::defaultActuator.target<MakeActuator>();
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(*restored, freshActuator);
    EXPECT_TRUE(Stage::shouldRotateInterface(Stage::OrientationPortrait).asBool());
    EXPECT_FALSE(Stage::shouldRotateInterface(Stage::OrientationLandscapeLeft).asBool());
    EXPECT_FALSE(KeyBindingProbe::initialized());
    EXPECT_FALSE(Burrowbop::PIXI);
    EXPECT_EQ(limn::LibProbe::stage(), nullptr);
}

}  // namespace
