#pragma once
// The running timers, for tests: private to Timer.

#include <memory>
#include <vector>

#include "framework/Timer.h"

namespace limn {

struct TimerProbe {
    static std::vector<std::shared_ptr<Timer>>& running() { return Timer::sRunningTimers; }
};

}  // namespace limn
