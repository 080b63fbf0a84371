#pragma once
// Rendering quality. The backend sees each value as its index (LOW 0 ... BEST 3).

#include "native/WireConstants.h"

namespace limn::display {

using StageQuality = native::wire::StageQuality;

inline constexpr int kStageQualityCount = 4;

}  // namespace limn::display
