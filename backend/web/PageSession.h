#pragma once
// Record and replay in the page: the page's address chooses the session before the
// program starts (js/session.js sets LIMN_RECORD or LIMN_REPLAY for
// Session::startFromEnvironment), the recording lives in the page's in-memory file
// system, and a replay, which runs whole inside the program's entry, is reported to
// the page when the entry returns. WebAssembly builds only.

namespace limn::web {

// Called as the program's entry returns (the page runs on): a replay that has run
// is ended and its report handed to the page (Module.limnReplay, a bar on the
// page, and its line on the console). A recording goes on (its frame's run() left
// the entry for the browser without returning).
void pageEntryReturned();

}  // namespace limn::web

// For js/session.js: ends a recording in progress, with its end mark.
extern "C" void limn_session_finish();
// For the page's checks: the files of the sounds the session's program asked for so
// far, one a line ("" without a session).
extern "C" const char* limn_session_sounds();
