#pragma once
// Shared pieces of the stage tests: a fixture with a real stage over the
// recording backend (every native object gets its handle's id), native event
// records, and an event log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/recording/RecordingBackend.h"
#include "framework/Timer.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/media/SoundChannel.h"
#include "native/EventRecord.h"
#include "runtime/Function.h"
#include "tests/framework/TimerProbe.h"
#include "tests/framework/media/SoundChannelProbe.h"
#include "tests/support/BackendTest.h"

namespace limn::testing {

using display::Sprite;
using display::Stage;
using native::EventRecord;

// Collects "who:type" lines from listeners.
class StageLog {
public:
    rt::Function listener(const std::string& who) {
        return rt::function([this, who](const std::shared_ptr<events::Event>& e) {
            lines.push_back(who + ":" + e->type);
        });
    }
    void listen(events::EventDispatcher& target, const std::string& who,
                const std::vector<std::string>& types) {
        for (const auto& type : types) target.addEventListener(type, listener(who));
    }

    std::vector<std::string> lines;
};

class StageTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        TimerProbe::running().clear();
        media::SoundChannelProbe::incomplete().clear();
        backend.answerWith("limn_display_object_get_id", [](rt::Args args) {
            return rt::Dynamic(recording::RecordingBackend::idOf(args[0]));
        });
        stage = std::make_shared<Stage>(backend.makeHandle("stage"), 320, 480);
    }
    void TearDown() override {
        TimerProbe::running().clear();
        media::SoundChannelProbe::incomplete().clear();
    }

    static std::shared_ptr<EventRecord> record(int type, int id = 0, double x = 0, double y = 0) {
        auto r = std::make_shared<EventRecord>();
        r->type = type;
        r->id = id;
        r->x = x;
        r->y = y;
        return r;
    }
    double send(const std::shared_ptr<EventRecord>& r) { return stage->limnDoProcessStageEvent(r); }
    double send(int type, int id = 0, double x = 0, double y = 0) {
        return send(record(type, id, x, y));
    }
    std::shared_ptr<Sprite> sprite(display::DisplayObjectContainer& parent) {
        auto s = std::make_shared<Sprite>();
        parent.addChild(s);
        return s;
    }
    // The wake delay of the latest "limn_stage_set_next_wake" call.
    [[nodiscard]] double lastWake() const {
        const auto* call = backend.last("limn_stage_set_next_wake");
        return call ? call->args[1].asFloat() : -1.0;
    }

    std::shared_ptr<Stage> stage;
};

}  // namespace limn::testing
