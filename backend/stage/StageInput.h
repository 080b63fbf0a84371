#pragma once
// Turns input into native event records for a stage's handler: every record
// carries the id of the object it concerns (the topmost object under the
// pointer or finger, the stage when there is none; the focused object for
// keys). Positions are in stage pixels.
//
// A click follows a release over the same interactive object as the press.
// Each finger gets its own small id for as long as it touches; the first
// finger down while none other touches is the primary one.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "backend/stage/InputCall.h"
#include "backend/stage/StageNode.h"
#include "native/EventRecord.h"

namespace limn::sdl {

class StageInput {
public:
    explicit StageInput(StageNode& stage) : stage_(stage) {}

    // `flags` hold the buttons down after the change and the modifiers.
    void mouseMove(double x, double y, int flags);
    void mouseDown(double x, double y, int flags);
    void mouseUp(double x, double y, int flags);
    void touchBegin(std::int64_t finger, double x, double y, int flags);
    void touchMove(std::int64_t finger, double x, double y, int flags);
    void touchEnd(std::int64_t finger, double x, double y, int flags);
    // Returns true when a listener stopped the key event (the record's result 1).
    bool key(bool down, int keyCode, int charCode, int flags);
    void text(const std::string& utf8, int flags);
    void resize();
    void quit();
    void poll();
    void redraw();

    // Makes the call `call` describes (how a replay feeds input back in).
    void apply(const InputCall& call);
    // Makes the call a platform's event record describes (the page's input comes
    // as records: backend/web/PageShell.h), its position in stage pixels: pointer,
    // touch (the record's value the finger), key, character and resize records.
    // Others are passed over. Returns what key() returns.
    bool feed(const native::EventRecord& record);
    // Sees every call above before it is handled (a session recorder); one at most.
    void setObserver(std::function<void(const InputCall&)> observer) {
        observer_ = std::move(observer);
    }

    // The id the records give for a point: the topmost object, or the stage.
    [[nodiscard]] int idAt(double x, double y);

private:
    int send(int type, double x, double y, int id, int flags, int value = 0, int code = 0,
             bool down = false, int character = 0);
    SceneNode* interactiveAt(double x, double y);
    void moveFocusOnPress(SceneNode* target);
    [[nodiscard]] int keyTargetId();
    void observe(const InputCall& call) const {
        if (observer_) observer_(call);
    }

    StageNode& stage_;
    int pressId_ = 0;
    std::map<std::int64_t, int> fingers_;
    int nextFinger_ = 1;
    std::int64_t primary_ = -1;
    std::function<void(const InputCall&)> observer_;
};

}  // namespace limn::sdl
