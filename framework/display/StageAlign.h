#pragma once
// Where the stage content sits in the window. The backend sees each value as
// its index (TOP_RIGHT 0 ... BOTTOM 7).

namespace limn::display {

enum class StageAlign { TOP_RIGHT, TOP_LEFT, TOP, RIGHT, LEFT, BOTTOM_RIGHT, BOTTOM_LEFT, BOTTOM };

inline constexpr int kStageAlignCount = 8;

}  // namespace limn::display
