#pragma once
// Which triangles drawTriangles leaves out, by winding.
// Crosses to the backend as the integer of each value; an int arriving by name is the integer sent,
// and null reads as NONE (0).

#include "runtime/EnumConvert.h"

#include "native/WireConstants.h"

namespace limn::display {

using TriangleCulling = native::wire::TriangleCulling;

}  // namespace limn::display

// Out-of-range integers pass on to the backend unchanged.
template <>
struct rt::EnumValues<limn::display::TriangleCulling> {
    static constexpr int first = -1;
    static constexpr int last = 1;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};
