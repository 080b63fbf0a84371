// The game's pictures. Each painter returns a finished ARGB32 surface.
#pragma once

#include "canvas.h"

namespace assets {

enum class Grade { kAA, kA, kB, kC };

Surface paint_logo();
Surface paint_meadow();
Surface paint_splash();
Surface paint_mole(bool golden);
Surface paint_cloud();
Surface paint_result(Grade grade);

// Shared pieces, drawn in the current user space of `cr`.
// A mole in its 34 x 40 picture box, cut off along the front lip of its hole.
void draw_mole(cairo_t* cr, bool golden);
// A hole with its dirt mound; (cx, cy) is the centre of the dark opening.
void draw_hole(cairo_t* cr, double cx, double cy, double scale, unsigned seed);

// Deterministic pseudo-random numbers for scattering decoration.
class Scatter {
public:
    explicit Scatter(unsigned seed) : state_(seed * 2654435761u + 1u) {}
    // Uniform in [0, 1).
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 16777216.0;
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    unsigned state_;
};

}  // namespace assets
