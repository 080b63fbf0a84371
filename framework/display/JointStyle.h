#pragma once
// How line segments are joined at corners.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as ROUND (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class JointStyle { ROUND = 0, MITER = 1, BEVEL = 2 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::JointStyle> {
    static limn::display::JointStyle from(const rt::Dynamic& d) {
        return static_cast<limn::display::JointStyle>(d.asInt());
    }
};
