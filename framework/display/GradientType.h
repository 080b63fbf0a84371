#pragma once
// The shape of a gradient fill.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as RADIAL (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class GradientType { RADIAL = 0, LINEAR = 1 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::GradientType> {
    static limn::display::GradientType from(const rt::Dynamic& d) {
        return static_cast<limn::display::GradientType>(d.asInt());
    }
};
