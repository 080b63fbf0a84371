#pragma once
// A fresh managed stage on the recording backend for every test, with the
// clock in the test's hands. frameAt(ms) sets the clock and renders one frame.

#include "framework/Lib.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/display/Sprite.h"
#include "motion/Kinetra.h"
#include "motion/actuators/SimpleActuator.h"
#include "runtime/ProcessState.h"
#include "tests/motion/KinetraProbe.h"
#include "tests/support/BackendTest.h"

namespace motion_test {

using com::quillfern::motion::Kinetra;
using com::quillfern::motion::KinetraProbe;
using com::quillfern::motion::actuators::GenericActuator;
using com::quillfern::motion::actuators::SimpleActuator;

class TweenTest : public limn::testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        rt::resetProcessState();
        stage = limn::Lib::createManagedStage(320, 480);
        clockAt(0);
    }
    void TearDown() override { rt::resetProcessState(); }

    // Half a millisecond past ms, so the clock's truncation lands on ms.
    void clockAt(int ms) { backend.setTime((ms + 0.5) / 1000.0); }
    void frameAt(int ms) {
        clockAt(ms);
        stage->limnRender(true);
    }
    std::shared_ptr<limn::display::Sprite> sprite() {
        return std::make_shared<limn::display::Sprite>();
    }
    static double num(const std::shared_ptr<rt::Object>& o, const char* name) {
        return o->get(name).asFloat();
    }

    std::shared_ptr<limn::display::ManagedStage> stage;
};

}  // namespace motion_test
