#include "backend/web/PageSession.h"

#include <emscripten.h>

#include <string>

#include "backend/replay/Replayer.h"
#include "backend/replay/Session.h"

extern "C" {
// js/session.js
void limn_session_replayed(double frames, double divergedAt, const char* divergence,
                           const char* error, int cutShort, int pixelsChecked);
}

namespace limn::web {

void pageEntryReturned() {
    const sdl::Session* session = sdl::Session::active();
    if (!session || !session->finished() || !dynamic_cast<const sdl::Replayer*>(session)) return;
    const sdl::SessionReport report = sdl::Session::end();
    limn_session_replayed(static_cast<double>(report.frames),
                          static_cast<double>(report.divergedAt), report.divergence.c_str(),
                          report.error.c_str(), report.cutShort ? 1 : 0,
                          report.pixelsChecked ? 1 : 0);
}

}  // namespace limn::web

extern "C" EMSCRIPTEN_KEEPALIVE void limn_session_finish() {
    if (dynamic_cast<const limn::sdl::Replayer*>(limn::sdl::Session::active())) return;
    (void)limn::sdl::Session::end();
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* limn_session_sounds() {
    static std::string names;
    names.clear();
    if (const limn::sdl::Session* session = limn::sdl::Session::active()) {
        for (const auto& sound : session->report().sounds) names += sound.name + "\n";
    }
    return names.c_str();
}
