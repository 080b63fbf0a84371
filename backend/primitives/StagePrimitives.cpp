// Frames, stages, the clock and managed stages.
#include <SDL.h>

#include "backend/base/Clock.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "backend/stage/MainFrame.h"
#include "backend/stage/StageInput.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

// Event type codes and flag bits of the native event record.
using namespace native::codes;

namespace {

using native::PrimitiveFn;

template <class F>
PrimitiveFn onStage(F f) {
    return [f](rt::Args a) -> rt::Dynamic {
        StageNode* stage = StageNode::from(arg(a, 0));
        if (!stage) return {};
        return f(*stage, a);
    };
}

// limn_create_main_frame(callable, width, height, flags, title, extra), as one array.
rt::Dynamic createMainFrame(rt::Args a) {
    auto values = arg(a, 0).asArray();
    if (!values) return {};
    auto at = [&](std::size_t i) { return i < values->size() ? (*values)[i] : rt::Dynamic(); };
    const rt::Function created = at(0).asFunction();
    const std::string title = at(4).isNull() ? "Limn" : at(4).asString();
    auto frame = std::make_shared<MainFrame>(at(1).asInt(), at(2).asInt(), at(3).asInt(), title);
    // A recording or replaying session sees the frame open and runs it.
    Session* session = Session::active();
    if (session) session->frameOpened(*frame, at(3).asInt(), title);
    if (created) created(frame);
    if (session) {
        session->runFrame(*frame);
    } else {
        frame->run();
    }
    return {};
}

// Records pumped by a host for pointers may leave the target to the backend.
void fillPointerTarget(StageNode& stage, const rt::Dynamic& record) {
    const int type = fieldNumber(record, "type");
    const bool pointer =
        (type >= etMouseMove && type <= etMouseUp) || (type >= etTouchBegin && type <= etTouchEnd);
    if (!pointer) return;
    stage.pointerX = fieldNumber(record, "x");
    stage.pointerY = fieldNumber(record, "y");
    if (field(record, "id").asInt() == 0) {
        setField(record, "id", StageInput(stage).idAt(stage.pointerX, stage.pointerY));
    }
}

void registerFrame(native::TableModule& m) {
    m.add("limn_create_main_frame", native::kVariableArgs, createMainFrame);
    m.add("limn_get_frame_stage", 1, [](rt::Args a) -> rt::Dynamic {
        MainFrame* frame = MainFrame::from(arg(a, 0));
        return frame ? rt::Dynamic(frame->stage()) : rt::Dynamic();
    });
    m.add("limn_close", 0, [](rt::Args) -> rt::Dynamic {
        if (MainFrame* frame = MainFrame::running()) frame->close();
        return {};
    });
    m.add("limn_get_url", 1, [](rt::Args a) -> rt::Dynamic {
        const std::string url = argString(a, 0);
        if (!url.empty()) SDL_OpenURL(url.c_str());
        return {};
    });
    m.add("limn_time_stamp", 0, [](rt::Args) -> rt::Dynamic { return Clock::now(); });
    m.add("limn_managed_stage_create", 2, [](rt::Args a) -> rt::Dynamic {
        return std::make_shared<StageNode>(argInt(a, 0), argInt(a, 1));
    });
    m.add("limn_managed_stage_pump_event", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              fillPointerTarget(s, arg(a, 1));
              s.deliver(arg(a, 1));
              return {};
          }));
}

void registerStage(native::TableModule& m) {
    m.add("limn_set_stage_handler", 4, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.setHandler(arg(a, 1).asFunction());
              return {};
          }));
    m.add("limn_render_stage", 1, onStage([](StageNode& s, rt::Args) -> rt::Dynamic {
              s.render();
              return {};
          }));
    m.add("limn_stage_set_next_wake", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.requestWake(argNumber(a, 1));
              return {};
          }));
    m.add("limn_stage_get_focus_id", 1, onStage([](StageNode& s, rt::Args) -> rt::Dynamic {
              SceneNode* focus = s.focus();
              return focus ? focus->id() : 0;
          }));
    m.add("limn_stage_set_focus", 3, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.setFocus(SceneNode::from(arg(a, 1)));
              return {};
          }));
    m.add("limn_stage_get_focus_rect", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.focusRect ? 1 : 0; }));
    m.add("limn_stage_set_focus_rect", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.focusRect = argBool(a, 1);
              return {};
          }));
    m.add("limn_stage_is_opengl", 1, [](rt::Args) -> rt::Dynamic { return false; });
    m.add("limn_stage_get_stage_width", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.stageWidth(); }));
    m.add("limn_stage_get_stage_height", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.stageHeight(); }));
    m.add("limn_stage_get_dpi_scale", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.outputScale(); }));
}

void registerStageSettings(native::TableModule& m) {
    m.add("limn_stage_get_scale_mode", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.scaleMode; }));
    m.add("limn_stage_set_scale_mode", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.scaleMode = argInt(a, 1);
              return {};
          }));
    m.add("limn_stage_get_align", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.align; }));
    m.add("limn_stage_set_align", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.align = argInt(a, 1);
              return {};
          }));
    m.add("limn_stage_get_quality", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.quality; }));
    m.add("limn_stage_set_quality", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.quality = argInt(a, 1);
              return {};
          }));
    m.add("limn_stage_get_display_state", 1,
          onStage([](StageNode& s, rt::Args) -> rt::Dynamic { return s.displayState(); }));
    m.add("limn_stage_set_display_state", 2, onStage([](StageNode& s, rt::Args a) -> rt::Dynamic {
              s.setDisplayState(argInt(a, 1));
              return {};
          }));
}

}  // namespace

void registerStagePrimitives(native::TableModule& m) {
    registerFrame(m);
    registerStage(m);
    registerStageSettings(m);
}

}  // namespace limn::sdl
