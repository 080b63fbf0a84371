// The page's entry: the browser backend, every primitive resolved, then the game,
// whose frames the page runs once the game's frame has started (main goes back to
// the browser there without returning). A session the page's address asks
// for (?record, ?replay=url) starts with the backend; a replay has run whole when the
// game's entry returns. Quitting from the title leaves the page.
#include <emscripten.h>

#include <string>

#include "backend/primitives/Primitives.h"
#include "backend/replay/Session.h"
#include "backend/web/PageSession.h"
#include "framework/Lib.h"
#include "framework/display/MovieClip.h"
#include "game/burrowbop/Burrowbop.h"
#include "game/burrowbop/Entry.h"
#include "game/burrowbop/Mole.h"
#include "game/burrowbop/StateTrail.h"

namespace {

using com::quillfern::burrowbop::Burrowbop;
using com::quillfern::burrowbop::StateTrail;

StateTrail& trail() {
    static StateTrail kept;
    return kept;
}

}  // namespace

// For the page's checks: the game's state and score now ("Title 0"), and the trail of
// the session's frames (recorded or replayed) so far.
extern "C" EMSCRIPTEN_KEEPALIVE const char* burrowbop_state() {
    static std::string now;
    now = StateTrail::now();
    return now.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* burrowbop_trail() {
    return trail().text().c_str();
}

// Where a mole that can be hit is, in stage pixels ("x y"), or "" for none.
extern "C" EMSCRIPTEN_KEEPALIVE const char* burrowbop_mole() {
    static std::string where;
    where.clear();
    if (!limn::Lib::stageOrNull() || limn::Lib::current()->limnGetNumChildren() == 0) return "";
    const auto game = std::dynamic_pointer_cast<Burrowbop>(limn::Lib::current()->getChildAt(0));
    if (!game || game->currentState != Burrowbop::STATE_GAME) return "";
    for (const auto& mole : game->moles) {
        if (!mole->whackable) continue;
        where = std::to_string(mole->limnGetX()) + " " + std::to_string(mole->limnGetY());
        break;
    }
    return where.c_str();
}

int main() {
    Burrowbop::exitProcess = [](int status) {
        (void)limn::sdl::Session::endProcess(status);
        limn::Lib::close();
    };
    const int failed = com::quillfern::burrowbop::runEntry([] {
        limn::sdl::registerModule();
        if (limn::sdl::Session* session = limn::sdl::Session::active()) {
            session->setFrameObserver([](std::int64_t frame) { trail().frame(frame); });
        }
        Burrowbop::main();
    });
    if (failed) return failed;
    limn::web::pageEntryReturned();
    return 0;
}
