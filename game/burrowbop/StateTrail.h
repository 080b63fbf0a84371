#pragma once
// What the game shows, frame by frame, in words: its state and its score. A
// trail keeps a line "frame state score" for the first frame it sees and for
// every frame where either changed, so two runs of the game compare on every
// frame without pictures (a replay drawn by another raster is checked so).
//
//   StateTrail trail;
//   session->setFrameObserver([&](std::int64_t n) { trail.frame(n); });

#include <cstdint>
#include <string>

namespace com::quillfern::burrowbop {

class StateTrail {
public:
    // Notes frame `frame` (counted from 1) of the running game.
    void frame(std::int64_t frame);
    [[nodiscard]] const std::string& text() const { return text_; }

    // "Title 0": the running game's state and score; "-" before there is one.
    [[nodiscard]] static std::string now();

private:
    std::string text_;
    std::string last_;
};

}  // namespace com::quillfern::burrowbop
