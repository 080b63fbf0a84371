#pragma once
// The stage's frame schedule, drag state and frame-loop steps, for tests:
// private to the stage (the state is kept off its by-name table).

#include <memory>

#include "framework/display/Sprite.h"
#include "framework/display/Stage.h"
#include "framework/geom/Rectangle.h"

namespace limn::display {

struct StageProbe {
    static double& framePeriod(Stage& s) { return s.limnFramePeriod; }
    static double& lastRender(Stage& s) { return s.limnLastRender; }
    static std::shared_ptr<Sprite> dragObject(const Stage& s) { return s.limnDragObject; }
    static std::shared_ptr<geom::Rectangle> dragBounds(const Stage& s) { return s.limnDragBounds; }
    static double dragOffsetX(const Stage& s) { return s.limnDragOffsetX; }
    static double dragOffsetY(const Stage& s) { return s.limnDragOffsetY; }
    static void checkRender(Stage& s) { s.limnCheckRender(); }
    static double nextFrameDue(Stage& s, double otherTimers) {
        return s.limnNextFrameDue(otherTimers);
    }
};

}  // namespace limn::display
