#pragma once
// The clock behind "limn_time_stamp": seconds since the first reading, from a
// steady monotonic source. Tests and tools may take it over with set() and
// advance(); useReal() hands it back to the real source, continuing from the
// time it shows.

namespace limn::sdl {

class Clock {
public:
    [[nodiscard]] static double now();
    // Stops the real source and shows `seconds` from now on.
    static void set(double seconds);
    static void advance(double seconds);
    static void useReal();
    [[nodiscard]] static bool isManual();
    // Seconds on the real monotonic source, never taken over (for sleeping).
    [[nodiscard]] static double realNow();
};

}  // namespace limn::sdl
