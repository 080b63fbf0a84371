#pragma once
// Whether a bitmap snaps to whole pixels; stored only, never sent.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as ALWAYS (0).

#include "runtime/EnumConvert.h"

namespace limn::display {

enum class PixelSnapping { ALWAYS = 0, AUTO = 1, NEVER = 2 };

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::PixelSnapping> {
    static constexpr int first = 0;
    static constexpr int last = 2;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
