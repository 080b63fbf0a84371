#pragma once
// Which scalings of the object also scale its line thickness.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as NORMAL (0).

#include "runtime/EnumConvert.h"

#include "native/WireConstants.h"

namespace limn::display {

using LineScaleMode = native::wire::LineScaleMode;

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::LineScaleMode> {
    static constexpr int first = 0;
    static constexpr int last = 3;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
