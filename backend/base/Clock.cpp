#include "backend/base/Clock.h"

#include <chrono>

namespace limn::sdl {

namespace {

struct State {
    bool manual = false;
    double manualTime = 0;
    double offset = 0;  // added to the real source so that useReal() continues smoothly
};

State& state() {
    static State s;
    return s;
}

}  // namespace

double Clock::realNow() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration<double>(steady_clock::now() - start).count();
}

double Clock::now() {
    const State& s = state();
    return s.manual ? s.manualTime : realNow() + s.offset;
}

void Clock::set(double seconds) {
    state().manual = true;
    state().manualTime = seconds;
}

void Clock::advance(double seconds) {
    if (!state().manual) set(now());
    state().manualTime += seconds;
}

void Clock::useReal() {
    State& s = state();
    if (!s.manual) return;
    s.offset = s.manualTime - realNow();
    s.manual = false;
}

bool Clock::isManual() {
    return state().manual;
}

}  // namespace limn::sdl
