#include "backend/replay/FramePicture.h"

#include <algorithm>
#include <cstdlib>

namespace limn::sdl {

namespace {

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(ca - cb));
    }
    return largest;
}

}  // namespace

FramePicture FramePicture::of(const Surface& surface) {
    surface.flush();
    FramePicture picture;
    picture.width = surface.width();
    picture.height = surface.height();
    picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = surface.row(y);
        std::copy(row, row + picture.width,
                  picture.pixels.data() + std::ptrdiff_t{y} * picture.width);
    }
    return picture;
}

FrameDifference compareFrames(const FramePicture& actual, const FramePicture& expected,
                              int tolerance) {
    FrameDifference d;
    d.sameSize = actual.width == expected.width && actual.height == expected.height;
    const int w = std::min(actual.width, expected.width);
    const int h = std::min(actual.height, expected.height);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int off = channelDifference(actual.at(x, y), expected.at(x, y));
            d.largest = std::max(d.largest, off);
            if (off <= tolerance) continue;
            if (d.differing++ == 0) {
                d.firstX = x;
                d.firstY = y;
            }
        }
    }
    if (!d.sameSize) {
        d.differing += static_cast<std::int64_t>(actual.width) * actual.height -
                       static_cast<std::int64_t>(w) * h;
    }
    return d;
}

FramePicture differencePicture(const FramePicture& actual, const FramePicture& expected,
                               int tolerance) {
    FramePicture out = actual;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            std::uint32_t& p = out.pixels[static_cast<std::size_t>(y) * actual.width + x];
            const bool inside = x < expected.width && y < expected.height;
            if (!inside || channelDifference(actual.at(x, y), expected.at(x, y)) > tolerance) {
                p = 0xFFFF0000u;
                continue;
            }
            // A quarter of the grey level, so the red stands out.
            const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const std::uint32_t grey = (r * 77 + g * 150 + b * 29) >> 10;
            p = 0xFF000000u | grey << 16 | grey << 8 | grey;
        }
    }
    return out;
}

}  // namespace limn::sdl
