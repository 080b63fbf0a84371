#pragma once
// Surfaces as the page's pictures (CanvasCalls.h): a surface's pixels are copied to
// the page the first time it is drawn and again only when its version moves. A
// surface that goes away must be forgotten (Surface's destructor is to call
// forgetPicture() in the page's build): else its picture stays on the page, and a
// surface made at the same address at the same version would be shown it.
// WebAssembly builds only.

namespace limn::sdl {
class Surface;
}

namespace limn::web::raster {

struct PictureRef {
    int handle = 0;  // 0: nothing to draw
    int width = 0;
    int height = 0;
};

// The page's picture of `surface` at its current version.
PictureRef pictureOf(const sdl::Surface& surface);
// Drops the page's picture of a surface that goes away.
void forgetPicture(const sdl::Surface& surface);

}  // namespace limn::web::raster
