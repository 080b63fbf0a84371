#pragma once
// A sprite under another class name; it adds nothing.

#include "framework/display/Sprite.h"

namespace limn::display {

class MovieClip : public Sprite {
public:
    RT_DECLARE_CLASS

    MovieClip() = default;
};

}  // namespace limn::display
