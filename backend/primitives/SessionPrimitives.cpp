// A recording or replaying session watches the primitives through which the
// outside reaches the program: the clock, rendering (for the frame timeline),
// sound loading and playing, and the channel states the audio thread sets.
// The main frame itself is handed to the session in StagePrimitives.
#include "backend/audio/AudioSound.h"
#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "backend/stage/StageNode.h"

namespace limn::sdl {

namespace {

using native::PrimitiveFn;

PrimitiveFn inner(const native::TableModule& module, const char* name, int argCount) {
    auto fn = module.find(native::exportName(name, argCount));
    return fn ? *fn : PrimitiveFn();
}

// Channel states come from the audio thread: a replay must see the recorded ones.
void wrapQuery(native::TableModule& module, const char* name, QueryKind kind) {
    PrimitiveFn live = inner(module, name, 1);
    module.add(name, 1, [live, kind](rt::Args a) -> rt::Dynamic {
        const rt::Dynamic value = live(a);
        Session* session = Session::active();
        if (!session) return value;
        const double seen = session->query(kind, value.asFloat());
        if (kind == QueryKind::Complete) return seen != 0;
        return seen;
    });
}

void wrapRender(native::TableModule& module) {
    PrimitiveFn live = inner(module, "limn_render_stage", 1);
    module.add("limn_render_stage", 1, [live](rt::Args a) -> rt::Dynamic {
        Session* session = Session::active();
        StageNode* stage = StageNode::from(arg(a, 0));
        if (!session || !stage) return live(a);
        session->beforeRender(*stage);
        live(a);
        session->afterRender(*stage);
        return {};
    });
}

void wrapSounds(native::TableModule& module) {
    PrimitiveFn load = inner(module, "limn_sound_from_file", 2);
    module.add("limn_sound_from_file", 2, [load](rt::Args a) -> rt::Dynamic {
        rt::Dynamic sound = load(a);
        if (Session* session = Session::active()) {
            session->soundLoaded(sound.handleAs<AudioSound>(), argString(a, 0));
        }
        return sound;
    });
    PrimitiveFn play = inner(module, "limn_sound_channel_create", 4);
    module.add("limn_sound_channel_create", 4, [play](rt::Args a) -> rt::Dynamic {
        if (Session* session = Session::active()) {
            const rt::Dynamic transform = arg(a, 3);
            const bool plain = transform.isNull();
            session->soundRequested(arg(a, 0).handleAs<AudioSound>(), argNumber(a, 1), argInt(a, 2),
                                    plain ? 1.0 : fieldNumber(transform, "volume"),
                                    plain ? 0.0 : fieldNumber(transform, "pan"));
        }
        return play(a);
    });
}

}  // namespace

void wrapSessionPrimitives(native::TableModule& module) {
    PrimitiveFn stamp = inner(module, "limn_time_stamp", 0);
    module.add("limn_time_stamp", 0, [stamp](rt::Args a) -> rt::Dynamic {
        const double live = stamp(a).asFloat();
        Session* session = Session::active();
        return session ? session->clock(live) : live;
    });
    wrapRender(module);
    wrapSounds(module);
    wrapQuery(module, "limn_sound_channel_is_complete", QueryKind::Complete);
    wrapQuery(module, "limn_sound_channel_get_position", QueryKind::Position);
    wrapQuery(module, "limn_sound_channel_get_left", QueryKind::Left);
    wrapQuery(module, "limn_sound_channel_get_right", QueryKind::Right);
}

}  // namespace limn::sdl
