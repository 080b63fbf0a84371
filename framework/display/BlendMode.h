#pragma once
// How a display object is blended with what lies under it. The backend sees
// each value as its index (NORMAL 0 ... HARDLIGHT 13).

#include "native/WireConstants.h"

namespace limn::display {

using BlendMode = native::wire::BlendMode;

inline constexpr int kBlendModeCount = 14;

}  // namespace limn::display
