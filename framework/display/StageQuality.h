#pragma once
// Rendering quality. The backend sees each value as its index (LOW 0 ... BEST 3).

namespace limn::display {

enum class StageQuality { LOW, MEDIUM, HIGH, BEST };

inline constexpr int kStageQualityCount = 4;

}  // namespace limn::display
