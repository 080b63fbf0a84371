#pragma once
// How line segments are joined at corners.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as ROUND (0).

#include "runtime/EnumConvert.h"

#include "native/WireConstants.h"

namespace limn::display {

using JointStyle = native::wire::JointStyle;

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::JointStyle> {
    static constexpr int first = 0;
    static constexpr int last = 2;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
