#pragma once
// The shape of a gradient fill.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as RADIAL (0).

#include "runtime/EnumConvert.h"

#include "native/WireConstants.h"

namespace limn::display {

using GradientType = native::wire::GradientType;

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::GradientType> {
    static constexpr int first = 0;
    static constexpr int last = 1;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
