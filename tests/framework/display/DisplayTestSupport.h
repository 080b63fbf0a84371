#pragma once
// Shared pieces of the display tree tests: a fixture whose backend gives every
// native object its own id, a stand-in stage, and an event log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/recording/RecordingBackend.h"
#include "framework/display/DisplayObjectContainer.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "framework/events/Event.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Function.h"
#include "tests/support/BackendTest.h"

namespace limn::display {
class Stage;
}

namespace limn::testing {

using display::DisplayObject;
using display::DisplayObjectContainer;
using display::Shape;
using display::Sprite;

// The root of a test tree that answers as the stage does (limnGetStage()
// names itself) and records the drag requests that sprites send it. The
// Stage class is not needed: only the identity of the answer is ever used.
class FakeStage : public DisplayObjectContainer {
public:
    FakeStage() : DisplayObjectContainer(recording::RecordingBackend::instance().makeHandle()) {}

    std::shared_ptr<display::Stage> limnGetStage() override {
        return {self(), reinterpret_cast<display::Stage*>(this)};
    }
    void limnStartDrag(const std::shared_ptr<Sprite>& sprite, bool lockCenter,
                       const std::shared_ptr<geom::Rectangle>& bounds) override {
        drags.push_back({sprite, lockCenter, bounds});
    }
    void limnStopDrag(const std::shared_ptr<Sprite>& sprite) override { stops.push_back(sprite); }

    struct Drag {
        std::shared_ptr<Sprite> sprite;
        bool lockCenter;
        std::shared_ptr<geom::Rectangle> bounds;
    };
    std::vector<Drag> drags;
    std::vector<std::shared_ptr<Sprite>> stops;
};

// Collects "who:type" lines (with the phase where asked) from listeners.
class EventLog {
public:
    rt::Function listener(const std::string& who, bool withPhase = false) {
        return rt::function([this, who, withPhase](const std::shared_ptr<events::Event>& e) {
            std::string line = who + ":" + e->type;
            if (withPhase) line += ":" + std::to_string(e->eventPhase);
            lines.push_back(line);
        });
    }
    void listen(DisplayObject& target, const std::string& who, const std::string& type,
                bool useCapture = false) {
        target.addEventListener(type, listener(who), useCapture);
    }

    std::vector<std::string> lines;
};

// Every native object gets its handle's id as its display object id.
class DisplayTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        backend.answerWith("limn_display_object_get_id", [](rt::Args args) {
            return rt::Dynamic(recording::RecordingBackend::idOf(args[0]));
        });
    }

    // The backend's child list of a container next to the framework's array.
    [[nodiscard]] std::vector<int> nativeChildren(const DisplayObjectContainer& c) const {
        return backend.children(c.limnHandle);
    }
    [[nodiscard]] static std::vector<int> arrayIds(const DisplayObjectContainer& c) {
        std::vector<int> ids;
        for (const auto& child : c.children()) {
            ids.push_back(recording::RecordingBackend::idOf(child->limnHandle));
        }
        return ids;
    }
};

}  // namespace limn::testing

namespace limn::display {

// Failure messages name display objects ("DisplayObject 12") instead of dumping bytes.
inline void PrintTo(const DisplayObject& object, std::ostream* out) {
    *out << object.toString();
}

}  // namespace limn::display
