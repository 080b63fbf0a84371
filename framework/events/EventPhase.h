#pragma once
// The phase an event is in while it travels the display tree: the capture walk
// from the root down, the target itself, then the bubble walk back up.

namespace limn::events {

class EventPhase {
public:
    static constexpr int CAPTURING_PHASE = 0;
    static constexpr int AT_TARGET = 1;
    static constexpr int BUBBLING_PHASE = 2;
};

}  // namespace limn::events
