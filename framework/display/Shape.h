#pragma once
// A leaf that only draws (through its graphics), over a new native display
// object. Not interactive: input goes to its nearest interactive ancestor.
//
//   auto dot = std::make_shared<Shape>();
//   dot->limnGetGraphics()->drawCircle(0, 0, 4);

#include "framework/display/DisplayObject.h"

namespace limn::display {

class Shape : public DisplayObject {
public:
    RT_DECLARE_CLASS

    Shape();
};

}  // namespace limn::display
