#pragma once
// Writing a surface as a PNG file (straight alpha, as PNG keeps it). One
// definition per backend: cairo's writer on the desktop
// (backend/desktop/raster/SurfaceViews.cpp), stb_image_write in a page.

#include <string>

#include "backend/image/Surface.h"

namespace limn::sdl {

// False when the file can't be written.
bool writePng(const Surface& surface, const std::string& path);

}  // namespace limn::sdl
