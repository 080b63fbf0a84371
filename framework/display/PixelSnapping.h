#pragma once
// Whether a bitmap snaps to whole pixels; stored only, never sent.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as ALWAYS (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class PixelSnapping { ALWAYS = 0, AUTO = 1, NEVER = 2 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::PixelSnapping> {
    static limn::display::PixelSnapping from(const rt::Dynamic& d) {
        return static_cast<limn::display::PixelSnapping>(d.asInt());
    }
};
