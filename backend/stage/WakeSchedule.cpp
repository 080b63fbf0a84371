#include "backend/stage/WakeSchedule.h"

#include <algorithm>

namespace limn::sdl {

double WakeSchedule::deadline(const StageNode& stage) const {
    const auto delay = stage.wakeDelay();
    if (!delay) return kNever;
    if (*delay > 0) return stage.wakeRequestedAt() + *delay;
    // At once, unless the previous poll was also an immediate one.
    return lastPollImmediate_ ? std::max(stage.wakeRequestedAt(), lastPoll_ + kImmediateSpacing)
                              : stage.wakeRequestedAt();
}

void WakeSchedule::polled(StageNode& stage, double now) {
    const auto delay = stage.wakeDelay();
    lastPollImmediate_ = delay && *delay <= 0;
    lastPoll_ = now;
    stage.clearWake();
}

}  // namespace limn::sdl
