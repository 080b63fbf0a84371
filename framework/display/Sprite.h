#pragma once
// The container screens are built from, over a new native container. Its type
// name for toString() stays "DisplayObjectContainer".
//
//   auto sprite = std::make_shared<Sprite>();
//   stage->addChild(sprite);
//   sprite->startDrag(true);

#include <memory>

#include "framework/display/DisplayObjectContainer.h"

namespace limn::display {

class Sprite : public DisplayObjectContainer {
public:
    RT_DECLARE_CLASS

    Sprite();

    // Hands the sprite to the stage's dragging; does nothing off the stage.
    void startDrag(bool lockCenter = false,
                   const std::shared_ptr<geom::Rectangle>& bounds = nullptr);
    void stopDrag();
};

}  // namespace limn::display
