#pragma once
// How a gradient continues past its ends.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as PAD (0).

#include "runtime/EnumConvert.h"

namespace limn::display {

enum class SpreadMethod { PAD = 0, REPEAT = 1, REFLECT = 2 };

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::SpreadMethod> {
    static constexpr int first = 0;
    static constexpr int last = 2;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
