#pragma once
// Shared pieces of the display tree tests: a fixture whose backend gives every
// native object its own id and makes stages, and an event log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/recording/RecordingBackend.h"
#include "framework/display/DisplayObjectContainer.h"
#include "framework/display/Shape.h"
#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/events/Event.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Function.h"
#include "tests/support/BackendTest.h"

namespace limn::testing {

using display::DisplayObject;
using display::DisplayObjectContainer;
using display::Shape;
using display::Sprite;
using display::Stage;

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

    [[nodiscard]] std::shared_ptr<Stage> makeStage() {
        return std::make_shared<Stage>(backend.makeHandle("stage"), 320, 480);
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
