#pragma once
// How open line ends are drawn.
// Crosses to the backend as the integer of each value; an int arriving by name is the index, and
// null reads as ROUND (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class CapsStyle { ROUND = 0, NONE = 1, SQUARE = 2 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::CapsStyle> {
    static limn::display::CapsStyle from(const rt::Dynamic& d) {
        return static_cast<limn::display::CapsStyle>(d.asInt());
    }
};
