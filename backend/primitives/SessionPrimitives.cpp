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

namespace wire = native::wire;
using native::handleArgs;
using native::PrimitiveFn;

// The handler of P the module has now, which a wrapper forwards to.
template <class P>
PrimitiveFn inner(const native::TableModule& module) {
    auto fn = module.find(native::exportName(P::name, P::arity));
    return fn ? *fn : PrimitiveFn();
}

// Channel states come from the audio thread: a replay must see the recorded ones.
template <class P>
void wrapQuery(native::TableModule& module, QueryKind kind) {
    PrimitiveFn live = inner<P>(module);
    handleArgs<P>(module, [live, kind](rt::Args a) -> rt::Dynamic {
        const rt::Dynamic value = live(a);
        Session* session = Session::active();
        if (!session) return value;
        const double seen = session->query(kind, value.asFloat());
        if (kind == QueryKind::Complete) return seen != 0;
        return seen;
    });
}

void wrapRender(native::TableModule& module) {
    PrimitiveFn live = inner<wire::limn_render_stage>(module);
    handleArgs<wire::limn_render_stage>(module, [live](rt::Args a) -> rt::Dynamic {
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
    PrimitiveFn load = inner<wire::limn_sound_from_file>(module);
    handleArgs<wire::limn_sound_from_file>(module, [load](rt::Args a) -> rt::Dynamic {
        rt::Dynamic sound = load(a);
        if (Session* session = Session::active()) {
            session->soundLoaded(sound.handleAs<AudioSound>(), argString(a, 0));
        }
        return sound;
    });
    PrimitiveFn play = inner<wire::limn_sound_channel_create>(module);
    handleArgs<wire::limn_sound_channel_create>(module, [play](rt::Args a) -> rt::Dynamic {
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
    PrimitiveFn stamp = inner<wire::limn_time_stamp>(module);
    handleArgs<wire::limn_time_stamp>(module, [stamp](rt::Args a) -> rt::Dynamic {
        const double live = stamp(a).asFloat();
        Session* session = Session::active();
        return session ? session->clock(live) : live;
    });
    wrapRender(module);
    wrapSounds(module);
    wrapQuery<wire::limn_sound_channel_is_complete>(module, QueryKind::Complete);
    wrapQuery<wire::limn_sound_channel_get_position>(module, QueryKind::Position);
    wrapQuery<wire::limn_sound_channel_get_left>(module, QueryKind::Left);
    wrapQuery<wire::limn_sound_channel_get_right>(module, QueryKind::Right);
}

}  // namespace limn::sdl
