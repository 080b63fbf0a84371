#pragma once
// Which triangles drawTriangles leaves out, by winding.
// Crosses to the backend as the integer of each value; an int arriving by name is the integer sent,
// and null reads as NONE (0).

#include "runtime/Convert.h"

namespace limn::display {

enum class TriangleCulling { NEGATIVE = -1, NONE = 0, POSITIVE = 1 };

}  // namespace limn::display

template <>
struct rt::Convert<limn::display::TriangleCulling> {
    static limn::display::TriangleCulling from(const rt::Dynamic& d) {
        return static_cast<limn::display::TriangleCulling>(d.asInt());
    }
};
