#pragma once
// A frame's pixels held in memory for comparing: taken from a rendered
// surface or a PNG file, compared with a tolerance, written back as PNG, and
// turned into a picture of where two frames differ (the frame dimmed, every
// differing pixel in red). Its PNG files are read and written by the backend's
// own code (backend/desktop/replay on the desktop, backend/web in a page).
//
//   FramePicture now = FramePicture::of(*stage.lastFrame());
//   const FrameDifference d = compareFrames(now, *FramePicture::load("title.png"), 2);
//   if (d.differing > 0) differencePicture(now, expected, 2).save("title.diff.png");

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backend/image/Surface.h"

namespace limn::sdl {

struct FramePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB (premultiplied), row after row

    [[nodiscard]] static FramePicture of(const Surface& surface);
    // nullopt when the file is not a PNG that can be read.
    [[nodiscard]] static std::optional<FramePicture> load(const std::string& path);
    // Writes a PNG (the folder must exist); false when it can't.
    bool save(const std::string& path) const;
    [[nodiscard]] std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

struct FrameDifference {
    bool sameSize = true;
    std::int64_t differing = 0;  // pixels with a channel off by more than the tolerance
    int largest = 0;             // the largest channel difference seen (0..255)
    int firstX = -1, firstY = -1;
};

// Pixels differ when one of their channels is off by more than `tolerance`.
[[nodiscard]] FrameDifference compareFrames(const FramePicture& actual,
                                            const FramePicture& expected, int tolerance);
// `actual` dimmed, with the pixels that differ from `expected` in red (and the
// area outside the smaller one, when the sizes differ).
[[nodiscard]] FramePicture differencePicture(const FramePicture& actual,
                                             const FramePicture& expected, int tolerance);

}  // namespace limn::sdl
