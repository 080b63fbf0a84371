#pragma once
// The colour space a gradient is interpolated in.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as RGB (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class InterpolationMethod { RGB = 0, LINEAR_RGB = 1 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::InterpolationMethod> {
    static limn::display::InterpolationMethod from(const rt::Dynamic& d) {
        return static_cast<limn::display::InterpolationMethod>(d.asInt());
    }
};
