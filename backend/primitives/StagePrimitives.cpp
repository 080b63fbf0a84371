// Frames, stages, the clock and managed stages.

#include "backend/base/Clock.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "backend/stage/MainFrame.h"
#include "backend/stage/Platform.h"
#include "backend/stage/StageInput.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

// Event type codes and flag bits of the native event record.
using namespace native::codes;

namespace {

namespace wire = native::wire;
using native::handle;

// limn_create_main_frame(callable, width, height, flags, title, extra), as one array.
void createMainFrame(const wire::limn_create_main_frame::Args& a) {
    const rt::Function created = a.onFrame.asFunction();
    const std::string title = a.title.isNull() ? "Limn" : a.title.asString();
    auto frame = std::make_shared<MainFrame>(a.width, a.height, a.flags, title);
    // A recording or replaying session sees the frame open and runs it.
    Session* session = Session::active();
    if (session) session->frameOpened(*frame, a.flags, title);
    if (created) created(frame);
    if (session) {
        session->runFrame(*frame);
    } else {
        frame->run();
    }
}

// Records pumped by a host for pointers may leave the target to the backend.
void fillPointerTarget(StageNode& stage, const rt::Dynamic& record) {
    const int type = fieldNumber(record, "type");
    const bool pointer =
        (type >= etMouseMove && type <= etMouseUp) || (type >= etTouchBegin && type <= etTouchEnd);
    if (!pointer) return;
    stage.setPointer(fieldNumber(record, "x"), fieldNumber(record, "y"));
    if (field(record, "id").asInt() == 0) {
        setField(record, "id",
                 StageInput(stage).idAt(stage.pointerStageX(), stage.pointerStageY()));
    }
}

constexpr void registerFrame(auto& m) {
    handle<wire::limn_create_main_frame>(m, createMainFrame);
    handle<wire::limn_get_frame_stage>(
        m, [](MainFrame& frame) -> rt::Dynamic { return frame.stage(); });
    handle<wire::limn_close>(m, [] {
        if (MainFrame* frame = MainFrame::running()) frame->close();
    });
    handle<wire::limn_get_url>(m, [](const auto& a) {
        if (!a.url.empty()) openPlatformUrl(a.url);
    });
    handle<wire::limn_time_stamp>(m, [] { return Clock::now(); });
    handle<wire::limn_managed_stage_create>(m, [](const auto& a) -> rt::Dynamic {
        return std::make_shared<StageNode>(a.width, a.height);
    });
    handle<wire::limn_managed_stage_pump_event>(m, [](StageNode& s, const auto& a) {
        fillPointerTarget(s, a.event);
        s.deliver(a.event);
    });
}

constexpr void registerStage(auto& m) {
    handle<wire::limn_set_stage_handler>(
        m, [](StageNode& s, const auto& a) { s.setHandler(a.handler.asFunction()); });
    handle<wire::limn_render_stage>(m, [](StageNode& s) { s.render(); });
    handle<wire::limn_stage_set_next_wake>(
        m, [](StageNode& s, const auto& a) { s.requestWake(a.at); });
    handle<wire::limn_stage_get_focus_id>(m, [](StageNode& s) {
        SceneNode* focus = s.focus();
        return focus ? focus->id() : 0;
    });
    handle<wire::limn_stage_set_focus>(
        m, [](StageNode& s, const auto& a) { s.setFocus(SceneNode::from(a.target)); });
    handle<wire::limn_stage_get_focus_rect>(m, [](StageNode& s) { return s.focusRect() ? 1 : 0; });
    handle<wire::limn_stage_set_focus_rect>(
        m, [](StageNode& s, const auto& a) { s.setFocusRect(a.value); });
    handle<wire::limn_stage_is_opengl>(m, [](const auto&) { return false; });
    handle<wire::limn_stage_get_stage_width>(m, [](StageNode& s) { return s.stageWidth(); });
    handle<wire::limn_stage_get_stage_height>(m, [](StageNode& s) { return s.stageHeight(); });
    handle<wire::limn_stage_get_dpi_scale>(m, [](StageNode& s) { return s.outputScale(); });
}

constexpr void registerStageSettings(auto& m) {
    handle<wire::limn_stage_get_scale_mode>(m, [](StageNode& s) { return s.scaleMode(); });
    handle<wire::limn_stage_set_scale_mode>(
        m, [](StageNode& s, const auto& a) { s.setScaleMode(a.value); });
    handle<wire::limn_stage_get_align>(m, [](StageNode& s) { return s.align(); });
    handle<wire::limn_stage_set_align>(m, [](StageNode& s, const auto& a) { s.setAlign(a.value); });
    handle<wire::limn_stage_get_quality>(m, [](StageNode& s) { return s.quality(); });
    handle<wire::limn_stage_set_quality>(
        m, [](StageNode& s, const auto& a) { s.setQuality(a.value); });
    handle<wire::limn_stage_get_display_state>(m, [](StageNode& s) { return s.displayState(); });
    handle<wire::limn_stage_set_display_state>(
        m, [](StageNode& s, const auto& a) { s.setDisplayState(a.value); });
}

}  // namespace

namespace {

constexpr void handleStagePart(auto& m) {
    registerFrame(m);
    registerStage(m);
    registerStageSettings(m);
}

}  // namespace

void registerStagePrimitives(native::TableModule& module) {
    handleStagePart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Stage>([](auto& m) { handleStagePart(m); }));

}  // namespace limn::sdl
