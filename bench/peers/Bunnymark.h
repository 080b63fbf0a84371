#pragma once
// What every peer of the bunnymark shares: the 26 x 37 picture, where each of
// N sprites starts and how it moves, and how a run is timed and reported.
//
// A run: PROGRAM straight|rotated N. Twenty frames to warm up, then frames are
// timed until at least 30 frames and half a second have passed (at most four
// seconds), and one line is printed:
//   frames=120 wall_ms=4.21 cpu_ms=3.90
// wall_ms is the wall time per frame, cpu_ms the process's CPU time per frame
// (every thread of it).

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace bunnymark {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kSpriteW = 26, kSpriteH = 37;

// Straight 0xAARRGGBB: an ellipse fading out towards its rim.
inline std::uint32_t pixel(int x, int y) {
    const double dx = (x + 0.5) / kSpriteW * 2 - 1, dy = (y + 0.5) / kSpriteH * 2 - 1;
    const double r = std::sqrt(dx * dx + dy * dy);
    const auto a = static_cast<std::uint32_t>(std::clamp((1 - r) * 3, 0.0, 1.0) * 255);
    return a << 24 | (0xE0 - 4 * x) << 16 | (0x80 + 2 * y) << 8 | 0x30;
}

struct Sprite {
    double x, y, dx, dy, degrees, scale;
};

// N sprites spread over the screen, each with its own speed, turn and size.
inline std::vector<Sprite> sprites(int n) {
    std::vector<Sprite> all(static_cast<std::size_t>(n));
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0;
    };
    for (int i = 0; i < n; ++i) {
        all[i] = {next() * (kWidth - kSpriteW),
                  next() * (kHeight - kSpriteH),
                  next() * 6 - 3,
                  next() * 6 - 3,
                  next() * 360,
                  0.5 + (i % 16) / 10.0};
    }
    return all;
}

// One frame's move: straight sprites stay on whole pixels; rotated ones turn.
inline void step(std::vector<Sprite>& all, bool rotated) {
    for (Sprite& s : all) {
        s.x += s.dx;
        s.y += s.dy;
        if (s.x < 0 || s.x > kWidth - kSpriteW) s.dx = -s.dx;
        if (s.y < 0 || s.y > kHeight - kSpriteH) s.dy = -s.dy;
        if (rotated) s.degrees = std::fmod(s.degrees + 2, 360);
    }
}
inline double shownX(const Sprite& s, bool rotated) {
    return rotated ? s.x : std::floor(s.x);
}
inline double shownY(const Sprite& s, bool rotated) {
    return rotated ? s.y : std::floor(s.y);
}

struct Args {
    bool rotated = false;
    int count = 1000;
};

inline bool parse(int argc, char** argv, Args& args) {
    if (argc != 3) return false;
    if (std::strcmp(argv[1], "rotated") == 0) {
        args.rotated = true;
    } else if (std::strcmp(argv[1], "straight") != 0) {
        return false;
    }
    args.count = std::atoi(argv[2]);
    return args.count >= 1 && args.count <= 2000000;
}

inline double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// Counts frames and says when the run is over (then prints the line).
class Timing {
public:
    // True while the program should draw another frame.
    bool frame() {
        ++frames_;
        if (frames_ == kWarmUp) {
            wall0_ = seconds(CLOCK_MONOTONIC);
            cpu0_ = seconds(CLOCK_PROCESS_CPUTIME_ID);
            return true;
        }
        if (frames_ < kWarmUp) return true;
        const double wall = seconds(CLOCK_MONOTONIC) - wall0_;
        const int timed = frames_ - kWarmUp;
        if (!((timed >= 30 && wall >= 0.5) || wall >= 4)) return true;
        const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0_;
        std::printf("frames=%d wall_ms=%.3f cpu_ms=%.3f\n", timed, wall * 1000 / timed,
                    cpu * 1000 / timed);
        std::fflush(stdout);
        return false;
    }

private:
    static constexpr int kWarmUp = 20;
    int frames_ = 0;
    double wall0_ = 0, cpu0_ = 0;
};

}  // namespace bunnymark
