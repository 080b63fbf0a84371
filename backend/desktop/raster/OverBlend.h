#pragma once
// Composites premultiplied ARGB32 pixels over others (the OVER operator), to
// the bit as pixman composites a8r8g8b8 over a8r8g8b8: per channel
// d = s + d * (255 - sa) / 255 (the product rounded to nearest), saturated.
// Used for pictures placed at whole pixels with no fade, where a picture is
// composited many times a frame and pixman's own setup per call shows.
//
//   if (!blendOver(picture.row(0), picture.stride(), target.row(y) + x,
//                  target.stride(), w, h))
//       pixman_image_composite32(PIXMAN_OP_OVER, ...);

#include <cstdint>

namespace limn::sdl {

// Blends a `width` x `height` block of `source` over `target` (strides in
// bytes). False, touching nothing, on a processor without the vector
// instructions it uses: the caller composites another way.
bool blendOver(const std::uint32_t* source, int sourceStride, std::uint32_t* target,
               int targetStride, int width, int height);

// One pixel, as blendOver() blends it.
[[nodiscard]] std::uint32_t blendOverPixel(std::uint32_t source, std::uint32_t target);

}  // namespace limn::sdl
