#pragma once
// While a QuitSignalsBlocked lives, the calling thread blocks SIGINT and
// SIGTERM; threads it starts meanwhile inherit that and never take them. Wrap
// the start of library threads (the audio device) in one, so that both signals
// always reach the program thread, where they interrupt its wait for events
// and are read as a quit at once.
//
//   { QuitSignalsBlocked quiet; Mix_OpenAudioDevice(...); }

#include <csignal>

#include <pthread.h>

namespace limn::sdl {

class QuitSignalsBlocked {
public:
    QuitSignalsBlocked() {
        sigset_t quit;
        sigemptyset(&quit);
        sigaddset(&quit, SIGINT);
        sigaddset(&quit, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &quit, &saved_);
    }
    ~QuitSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    QuitSignalsBlocked(const QuitSignalsBlocked&) = delete;
    QuitSignalsBlocked& operator=(const QuitSignalsBlocked&) = delete;

private:
    sigset_t saved_{};
};

}  // namespace limn::sdl
