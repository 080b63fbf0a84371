#pragma once
// Where the stage content sits in the window. The backend sees each value as
// its index (TOP_RIGHT 0 ... BOTTOM 7).

#include "native/WireConstants.h"

namespace limn::display {

using StageAlign = native::wire::StageAlign;

inline constexpr int kStageAlignCount = 8;

}  // namespace limn::display
