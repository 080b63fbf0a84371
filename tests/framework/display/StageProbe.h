#pragma once
// The stage's frame schedule and drag state, for tests: private to the stage and
// kept off its by-name table.

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
};

}  // namespace limn::display
