#pragma once
// When a stage's wake request falls due, the same on every platform: a request of
// d > 0 seconds at the real time it was made plus d; one of zero or less at once,
// except that a run of them is spaced by kImmediateSpacing. The desktop's loop
// sleeps to the deadline; the page's polls on the first animation frame at or
// after it.
//
//   if (schedule.deadline(stage) <= Clock::realNow()) { schedule.polled(stage, now); input.poll();
//   }

#include "backend/stage/StageNode.h"

namespace limn::sdl {

class WakeSchedule {
public:
    static constexpr double kNever = 1e300;
    static constexpr double kImmediateSpacing = 0.001;

    // The real time (Clock::realNow()) of the next poll; kNever without a request.
    [[nodiscard]] double deadline(const StageNode& stage) const;
    // Clears the stage's request for the poll made at `now`, noting whether it was
    // an immediate one.
    void polled(StageNode& stage, double now);

private:
    double lastPoll_ = -1;
    bool lastPollImmediate_ = false;
};

}  // namespace limn::sdl
