#pragma once
// Which scalings of the object also scale its line thickness.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as NORMAL (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class LineScaleMode { NORMAL = 0, NONE = 1, VERTICAL = 2, HORIZONTAL = 3 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::LineScaleMode> {
    static limn::display::LineScaleMode from(const rt::Dynamic& d) {
        return static_cast<limn::display::LineScaleMode>(d.asInt());
    }
};
