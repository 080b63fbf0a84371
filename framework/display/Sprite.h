#pragma once
// The container screens are built from, over a new native container. Its type
// name for toString() stays "DisplayObjectContainer".
//
//   auto sprite = std::make_shared<Sprite>();
//   stage->addChild(sprite);
//   sprite->startDrag(true);
//
// A clickable picture is a sprite drawn with it: Sprite::fromFile("images/star.png", true).

#include <memory>
#include <string>

#include "framework/display/DisplayObjectContainer.h"

namespace limn::display {

class Sprite : public DisplayObjectContainer {
public:
    RT_DECLARE_CLASS

    Sprite();
    // A sprite whose drawing list is the picture in the file, smoothed, its
    // top-left corner at the sprite's origin. Centred, the pivot is the picture's
    // centre, so x and y place its centre and rotation and scale turn it about
    // its centre; otherwise its top-left corner does. Being drawn in the sprite itself, it is hit
    // by the pointer and counts in the bounds like any drawing. A file that can't be read gives an
    // empty sprite.
    [[nodiscard]] static std::shared_ptr<Sprite> fromFile(const std::string& path,
                                                          bool centred = false);

    // Hands the sprite to the stage's dragging; does nothing off the stage.
    void startDrag(bool lockCenter = false,
                   const std::shared_ptr<geom::Rectangle>& bounds = nullptr);
    void stopDrag();
};

}  // namespace limn::display
