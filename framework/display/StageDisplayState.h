#pragma once
// Window or full screen. The backend sees each value as its index
// (NORMAL 0, FULL_SCREEN 1, FULL_SCREEN_INTERACTIVE 2).

namespace limn::display {

enum class StageDisplayState { NORMAL, FULL_SCREEN, FULL_SCREEN_INTERACTIVE };

inline constexpr int kStageDisplayStateCount = 3;

}  // namespace limn::display
