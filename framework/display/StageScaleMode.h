#pragma once
// How the stage content scales with the window. The backend sees each value as
// its index (SHOW_ALL 0 ... EXACT_FIT 3).

namespace limn::display {

enum class StageScaleMode { SHOW_ALL, NO_SCALE, NO_BORDER, EXACT_FIT };

inline constexpr int kStageScaleModeCount = 4;

}  // namespace limn::display
