#pragma once
// Window or full screen. The backend sees each value as its index
// (NORMAL 0, FULL_SCREEN 1, FULL_SCREEN_INTERACTIVE 2).

#include "native/WireConstants.h"

namespace limn::display {

using StageDisplayState = native::wire::StageDisplayState;

inline constexpr int kStageDisplayStateCount = 3;

}  // namespace limn::display
