#pragma once
// Plays the game headless on a managed stage over the recording backend, with
// the clock and the random numbers in the test's hands.
//
// The backend is scripted as a small device: display objects report their
// handle's id, files and pictures load (a picture's surface remembers the
// path it came from), sounds load and finish at once, and a pumped record is
// handed straight back to the stage. Every static of the game, the framework
// and the tween engine that outlives a test is reset first.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "framework/Lib.h"
#include "framework/Timer.h"
#include "framework/display/Bitmap.h"
#include "framework/display/Graphics.h"
#include "framework/display/ManagedStage.h"
#include "framework/display/MovieClip.h"
#include "framework/media/SoundChannel.h"
#include "game/Utils.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Mole.h"
#include "game/control/KeyBinding.h"
#include "motion/Kinetra.h"
#include "motion/actuators/SimpleActuator.h"
#include "native/EventRecord.h"
#include "runtime/ProcessState.h"
#include "runtime/Random.h"
#include "tests/support/BackendTest.h"

namespace burrowbop_test {

using com::quillfern::Utils;
using com::quillfern::burrowbop::Burrowbop;
using com::quillfern::burrowbop::Mole;
using com::quillfern::control::KeyBinding;
using com::quillfern::motion::Kinetra;
using limn::display::ManagedStage;
using limn::recording::RecordedHandle;
using limn::recording::RecordingBackend;

inline constexpr double kFrame = 1.0 / 31.0 + 1e-7;  // a hair over one frame period

// Resets every process-wide static the game touches.
inline void resetStatics() {
    rt::resetProcessState();
}

// Scripts the recording backend as a small device (see the file comment).
inline void scriptDevice(RecordingBackend& backend, double stageHeight = 480) {
    backend.answerWith("limn_display_object_get_id", [](rt::Args a) -> rt::Dynamic {
        return a.empty() ? 0 : RecordingBackend::idOf(a[0]);
    });
    backend.answerWith("limn_display_object_get_graphics", [&backend](rt::Args) -> rt::Dynamic {
        return backend.makeHandle("graphics");
    });
    // Fresh display objects are opaque, visible and unscaled, as on a device.
    for (const char* property : {"alpha", "visible", "scale_x", "scale_y"}) {
        const std::string prefix = "limn_display_object_";
        const std::string setter = prefix + "set_" + property;
        backend.answerWith(prefix + "get_" + property, [&backend, setter](rt::Args a) {
            rt::Dynamic value = backend.stored(a[0], setter);
            return value.isNull() ? rt::Dynamic(1) : value;
        });
    }
    backend.answer("limn_stage_get_stage_width", 320.0);
    backend.answer("limn_stage_get_stage_height", stageHeight);
    backend.answerWith("limn_byte_array_read_file", [&backend](rt::Args a) -> rt::Dynamic {
        return backend.makeHandle(a[0].asString());
    });
    backend.answerWith("limn_bitmap_data_from_bytes", [&backend](rt::Args a) -> rt::Dynamic {
        auto* file = a[0].handleAs<RecordedHandle>();
        return file ? rt::Dynamic(backend.makeHandle(file->madeBy)) : rt::Dynamic();
    });
    backend.answer("limn_bitmap_data_width", 40);
    backend.answer("limn_bitmap_data_height", 40);
    backend.answerWith("limn_sound_from_file", [&backend](rt::Args a) -> rt::Dynamic {
        return backend.makeHandle(a[0].asString());
    });
    backend.answer("limn_sound_get_status", rt::props({{"bytesLoaded", 10}, {"bytesTotal", 10}}));
    backend.answer("limn_sound_channel_is_complete", true);
}

// The path a picture was loaded from, or "" when it shows none.
inline std::string pictureOf(const std::shared_ptr<limn::display::DisplayObject>& object) {
    auto bitmap = std::dynamic_pointer_cast<limn::display::Bitmap>(object);
    if (!bitmap || !bitmap->limnGetBitmapData()) return "";
    auto* surface = bitmap->limnGetBitmapData()->limnHandle.handleAs<RecordedHandle>();
    return surface ? surface->madeBy : "";
}

class GameTest : public limn::testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        resetStatics();
        rt::seedRandom(seed());
        scriptDevice(backend, stageHeight());
        stage = limn::Lib::createManagedStage(320, 480);
        backend.answerWith("limn_managed_stage_pump_event", [this](rt::Args a) -> rt::Dynamic {
            stage->limnProcessStageEvent(a[1]);
            return {};
        });
        savedExit = Burrowbop::exitProcess;
        Burrowbop::exitProcess = [this](int status) { exits.push_back(status); };
        poll();
    }

    void TearDown() override {
        Burrowbop::exitProcess = savedExit;
        game.reset();
        stage.reset();
        resetStatics();
    }

    virtual std::uint64_t seed() const { return 1234; }
    virtual double stageHeight() const { return 480; }

    void startGame() {
        game = Burrowbop::create();
        limn::Lib::current()->addChild(game);
    }

    void pump(int type, int id = 0, int value = 0, double x = 0, double y = 0) {
        auto record = std::make_shared<limn::native::EventRecord>();
        record->type = type;
        record->id = id;
        record->value = value;
        record->x = x;
        record->y = y;
        stage->pumpEvent(record);
    }
    void poll() { pump(ManagedStage::etPoll); }
    // One frame of the clock, then a poll that renders it.
    void frame() {
        backend.advance(kFrame);
        poll();
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    void runFor(double seconds) { frames(static_cast<int>(std::ceil(seconds * 31))); }
    // Frames until the clock reaches `seconds` after `since`.
    void runUntil(double since, double seconds) {
        while (backend.time() < since + seconds) frame();
    }

    void key(int type, int code) { pump(type, stage->limnID, code); }
    void back() {
        key(ManagedStage::etKeyDown, Burrowbop::PDLK_GESTURE_BACK);
        key(ManagedStage::etKeyUp, Burrowbop::PDLK_GESTURE_BACK);
    }
    void pressOn(const std::shared_ptr<limn::display::DisplayObject>& object) {
        pump(ManagedStage::etMouseDown, object->limnID);
    }
    void clickOn(const std::shared_ptr<limn::display::DisplayObject>& object) {
        pump(ManagedStage::etMouseDown, object->limnID);
        pump(ManagedStage::etMouseUp, object->limnID);
        pump(ManagedStage::etMouseClick, object->limnID);
    }
    // From start-up to a running round: logo, title after 3.5 s, a tap on the splash.
    double startRound() {
        startGame();
        runFor(3.6);
        clickOn(game->SplashScreen->children().front());
        return backend.time();
    }

    int whackableMoles() const {
        int count = 0;
        for (const auto& mole : game->moles) count += mole->whackable ? 1 : 0;
        return count;
    }
    std::shared_ptr<Mole> firstWhackable() const {
        for (const auto& mole : game->moles) {
            if (mole->whackable) return mole;
        }
        return nullptr;
    }

    std::shared_ptr<ManagedStage> stage;
    std::shared_ptr<Burrowbop> game;
    std::vector<int> exits;
    std::function<void(int)> savedExit;
};

}  // namespace burrowbop_test
