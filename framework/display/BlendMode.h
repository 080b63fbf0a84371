#pragma once
// How a display object is blended with what lies under it. The backend sees
// each value as its index (NORMAL 0 ... HARDLIGHT 13).

namespace limn::display {

enum class BlendMode {
    NORMAL,
    LAYER,
    MULTIPLY,
    SCREEN,
    LIGHTEN,
    DARKEN,
    DIFFERENCE,
    ADD,
    SUBTRACT,
    INVERT,
    ALPHA,
    ERASE,
    OVERLAY,
    HARDLIGHT,
};

inline constexpr int kBlendModeCount = 14;

}  // namespace limn::display
