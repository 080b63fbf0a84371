#include "backend/stage/StageInput.h"

#include "backend/base/Utf8.h"
#include "backend/scene/HitTester.h"
#include "native/EventRecord.h"

namespace limn::sdl {

// Event type codes and flag bits of the native event record.
using namespace native::codes;

namespace {

SceneNode* interactiveSelfOrAncestor(SceneNode* node) {
    while (node && !node->interactive()) node = node->parent();
    return node;
}

// Code points of UTF-8 text; invalid sequences are skipped.
std::vector<int> codePoints(std::string_view text) {
    std::vector<int> out;
    for (std::size_t i = 0; i < text.size();) {
        if (auto c = utf8::next(text, i)) out.push_back(static_cast<int>(*c));
    }
    return out;
}

InputCall pointerCall(InputCall::Kind kind, double x = 0, double y = 0, int flags = 0,
                      std::int64_t finger = 0) {
    InputCall call;
    call.kind = kind;
    call.x = x;
    call.y = y;
    call.flags = flags;
    call.finger = finger;
    return call;
}

InputCall keyCall(bool down, int keyCode, int charCode, int flags) {
    InputCall call = pointerCall(InputCall::Kind::Key, 0, 0, flags);
    call.keyCode = keyCode;
    call.charCode = charCode;
    call.down = down;
    return call;
}

InputCall textCall(const std::string& utf8, int flags) {
    InputCall call = pointerCall(InputCall::Kind::Text, 0, 0, flags);
    call.text = utf8;
    return call;
}

}  // namespace

int StageInput::send(int type, double x, double y, int id, int flags, int value, int code,
                     bool down, int character) {
    auto record = std::make_shared<native::EventRecord>();
    record->type = type;
    record->x = x;
    record->y = y;
    record->id = id;
    record->flags = flags;
    record->value = value;
    record->code = code;
    record->down = down;
    record->charCode = character;
    stage_.deliver(record);
    return record->result;
}

int StageInput::idAt(double x, double y) {
    SceneNode* hit = HitTester::pick(stage_, x, y);
    return hit ? hit->id() : stage_.id();
}

SceneNode* StageInput::interactiveAt(double x, double y) {
    SceneNode* hit = HitTester::pick(stage_, x, y);
    SceneNode* target = interactiveSelfOrAncestor(hit);
    return target ? target : &stage_;
}

void StageInput::mouseMove(double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::MouseMove, x, y, flags));
    stage_.setPointer(x, y);
    send(etMouseMove, x, y, idAt(x, y), flags);
}

void StageInput::mouseDown(double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::MouseDown, x, y, flags));
    stage_.setPointer(x, y);
    const int id = idAt(x, y);
    SceneNode* target = interactiveSelfOrAncestor(SceneNode::findById(id));
    pressId_ = target ? target->id() : stage_.id();
    moveFocusOnPress(target);
    send(etMouseDown, x, y, id, flags);
}

void StageInput::mouseUp(double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::MouseUp, x, y, flags));
    stage_.setPointer(x, y);
    const int id = idAt(x, y);
    send(etMouseUp, x, y, id, flags);
    SceneNode* target = interactiveSelfOrAncestor(SceneNode::findById(id));
    const int releaseId = target ? target->id() : stage_.id();
    if (pressId_ != 0 && releaseId == pressId_) send(etMouseClick, x, y, id, flags);
    pressId_ = 0;
}

void StageInput::moveFocusOnPress(SceneNode* target) {
    SceneNode* wanted = target && target->takesKeyboardFocus() ? target : nullptr;
    if (wanted == stage_.focus()) return;
    const int id = wanted ? wanted->id() : stage_.id();
    if (send(etFocus, stage_.pointerStageX(), stage_.pointerStageY(), id, 0, 1) != 1)
        stage_.setFocus(wanted);
}

void StageInput::touchBegin(std::int64_t finger, double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::TouchBegin, x, y, flags, finger));
    if (fingers_.empty()) primary_ = finger;
    auto [it, fresh] = fingers_.try_emplace(finger, nextFinger_);
    if (fresh) ++nextFinger_;
    if (finger == primary_) flags |= efPrimaryTouch;
    send(etTouchBegin, x, y, idAt(x, y), flags, it->second);
}

void StageInput::touchMove(std::int64_t finger, double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::TouchMove, x, y, flags, finger));
    auto it = fingers_.find(finger);
    if (it == fingers_.end()) return;
    if (finger == primary_) flags |= efPrimaryTouch;
    send(etTouchMove, x, y, idAt(x, y), flags, it->second);
}

void StageInput::touchEnd(std::int64_t finger, double x, double y, int flags) {
    observe(pointerCall(InputCall::Kind::TouchEnd, x, y, flags, finger));
    auto it = fingers_.find(finger);
    if (it == fingers_.end()) return;
    const int touchId = it->second;
    if (finger == primary_) flags |= efPrimaryTouch;
    fingers_.erase(it);
    if (finger == primary_) primary_ = -1;
    send(etTouchEnd, x, y, idAt(x, y), flags, touchId);
}

int StageInput::keyTargetId() {
    SceneNode* focus = stage_.focus();
    if (focus && focus->root() == &stage_) return focus->id();
    return stage_.id();
}

bool StageInput::key(bool down, int keyCode, int charCode, int flags) {
    if (observer_) observer_(keyCall(down, keyCode, charCode, flags));
    if (SceneNode* focus = stage_.focus()) focus->keyInput(keyCode, charCode, down, flags);
    const int result = send(down ? etKeyDown : etKeyUp, stage_.pointerStageX(),
                            stage_.pointerStageY(), keyTargetId(), flags, keyCode, charCode, down);
    return result == 1;
}

void StageInput::text(const std::string& utf8, int flags) {
    if (observer_) observer_(textCall(utf8, flags));
    if (SceneNode* focus = stage_.focus()) focus->textInput(utf8);
    for (int cp : codePoints(utf8)) {
        send(etChar, stage_.pointerStageX(), stage_.pointerStageY(), keyTargetId(), flags, 0, cp,
             true, cp);
    }
}

void StageInput::resize() {
    observe(pointerCall(InputCall::Kind::Resize));
    send(etResize, stage_.stageWidth(), stage_.stageHeight(), stage_.id(), 0);
}

void StageInput::quit() {
    observe(pointerCall(InputCall::Kind::Quit));
    send(etQuit, 0, 0, stage_.id(), 0);
}

void StageInput::poll() {
    observe(pointerCall(InputCall::Kind::Poll));
    send(etPoll, stage_.pointerStageX(), stage_.pointerStageY(), stage_.id(), 0);
}

void StageInput::redraw() {
    observe(pointerCall(InputCall::Kind::Redraw));
    send(etRedraw, 0, 0, stage_.id(), 0);
}

void StageInput::apply(const InputCall& c) {
    using enum InputCall::Kind;
    switch (c.kind) {
        case MouseMove:
            return mouseMove(c.x, c.y, c.flags);
        case MouseDown:
            return mouseDown(c.x, c.y, c.flags);
        case MouseUp:
            return mouseUp(c.x, c.y, c.flags);
        case TouchBegin:
            return touchBegin(c.finger, c.x, c.y, c.flags);
        case TouchMove:
            return touchMove(c.finger, c.x, c.y, c.flags);
        case TouchEnd:
            return touchEnd(c.finger, c.x, c.y, c.flags);
        case Key:
            key(c.down, c.keyCode, c.charCode, c.flags);
            return;
        case Text:
            return text(c.text, c.flags);
        case Resize:
            return resize();
        case Quit:
            return quit();
        case Poll:
            return poll();
        case Redraw:
            return redraw();
    }
}

bool StageInput::feed(const native::EventRecord& e) {
    // Which touch is primary is this class's to say.
    const int flags = e.flags & ~efPrimaryTouch;
    switch (e.type) {
        case etMouseMove:
            mouseMove(e.x, e.y, flags);
            break;
        case etMouseDown:
            mouseDown(e.x, e.y, flags);
            break;
        case etMouseUp:
            mouseUp(e.x, e.y, flags);
            break;
        case etTouchBegin:
            touchBegin(e.value, e.x, e.y, flags);
            break;
        case etTouchMove:
            touchMove(e.value, e.x, e.y, flags);
            break;
        case etTouchEnd:
            touchEnd(e.value, e.x, e.y, flags);
            break;
        case etKeyDown:
        case etKeyUp:
            return key(e.type == etKeyDown, e.value, e.code, flags);
        case etChar: {
            std::string utf8;
            utf8::append(utf8, static_cast<char32_t>(e.charCode));
            text(utf8, flags);
            break;
        }
        case etResize:
            resize();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace limn::sdl
