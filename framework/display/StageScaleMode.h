#pragma once
// How the stage content scales with the window. The backend sees each value as
// its index (SHOW_ALL 0 ... EXACT_FIT 3).

#include "native/WireConstants.h"

namespace limn::display {

using StageScaleMode = native::wire::StageScaleMode;

inline constexpr int kStageScaleModeCount = 4;

}  // namespace limn::display
