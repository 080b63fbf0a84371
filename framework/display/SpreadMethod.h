#pragma once
// How a gradient continues past its ends.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as PAD (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class SpreadMethod { PAD = 0, REPEAT = 1, REFLECT = 2 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::SpreadMethod> {
    static limn::display::SpreadMethod from(const rt::Dynamic& d) {
        return static_cast<limn::display::SpreadMethod>(d.asInt());
    }
};
