#pragma once
// One live touch point, held by the stage from its first touch event to its
// last. Its hover stack lists the interactive objects under the touch,
// outermost (the stage) first. The stack holds them weakly: an object freed
// while hovered is simply skipped.

#include <memory>
#include <vector>

#include "framework/display/InteractiveObject.h"

namespace limn::display {

class TouchInfo : public rt::Object {
public:
    RT_DECLARE_CLASS

    using HoverStack = std::vector<std::weak_ptr<InteractiveObject>>;

    [[nodiscard]] const HoverStack& limnGetTouchOverObjects() const { return touchOverObjects; }

private:
    // The stage routes the touch and keeps its hover stack up to date.
    friend class Stage;

    HoverStack touchOverObjects;
};

}  // namespace limn::display
