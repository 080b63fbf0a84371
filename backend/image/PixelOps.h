#pragma once
// The pixel operations of BitmapData on a Surface. Colours go in and out as
// straight (not premultiplied) 0xAARRGGBB; a surface that is not transparent
// keeps alpha 0xFF whatever is written. Rectangles are clipped to the surface;
// coordinates out of range read as 0 and write nothing.
//
// Byte buffers (getPixels / setPixels) hold 4 bytes per pixel in the order
// A, R, G, B (straight, one byte each), pixels left to right, rows top to
// bottom, starting at byte 0; the rows are those of the clipped rectangle.
//
// Channels (copyChannel) are bits: 1 red, 2 green, 4 blue, 8 alpha.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/image/Surface.h"

namespace limn::sdl {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    [[nodiscard]] bool empty() const { return width <= 0 || height <= 0; }
    // Whole pixels of a box, rounded the way the framework's rectangles are.
    [[nodiscard]] static PixelRect of(double x, double y, double width, double height);
};

class PixelOps {
public:
    [[nodiscard]] static std::uint32_t getPixel32(const Surface& s, int x, int y);
    static void setPixel32(Surface& s, int x, int y, std::uint32_t argb);
    // The colour with the alpha left as it was.
    static void setPixel(Surface& s, int x, int y, std::uint32_t rgb);

    [[nodiscard]] static std::shared_ptr<Surface> clone(const Surface& s);
    static void clear(Surface& s, std::uint32_t argb);
    static void fill(Surface& s, PixelRect rect, std::uint32_t argb);
    // Replaces the pixels (no blending); source and destination may overlap.
    static void copy(const Surface& from, PixelRect rect, Surface& to, int toX, int toY);
    static void copyChannel(const Surface& from, PixelRect rect, Surface& to, int toX, int toY,
                            int fromChannel, int toChannel);
    // Bytes written (4 per pixel of the clipped rect, at most out.size()).
    static std::size_t getPixels(const Surface& s, PixelRect rect, std::span<std::uint8_t> out);
    static void setPixels(Surface& s, PixelRect rect, std::span<const std::uint8_t> in);
    // The box of pixels whose (argb & mask) equals colour (or differs, when
    // `find` is false); an empty rect when there is none.
    [[nodiscard]] static PixelRect colorBounds(const Surface& s, std::uint32_t mask,
                                               std::uint32_t color, bool find);
    // Moves the picture by (dx, dy); the strip left behind keeps its pixels.
    static void scroll(Surface& s, int dx, int dy);
    // Turns the alpha channel on or off; turning it off makes every pixel opaque.
    static void setTransparent(Surface& s, bool transparent);

    [[nodiscard]] static std::uint32_t premultiply(std::uint32_t argb);
    [[nodiscard]] static std::uint32_t unpremultiply(std::uint32_t pixel);

private:
    static PixelRect clip(const Surface& s, PixelRect rect);
    // A copy's source and destination rectangles, clipped to both surfaces
    // alike; both empty when nothing is left.
    struct CopyRects {
        PixelRect from, to;
    };
    static CopyRects clipCopy(const Surface& from, PixelRect rect, const Surface& to, int toX,
                              int toY);
};

}  // namespace limn::sdl
