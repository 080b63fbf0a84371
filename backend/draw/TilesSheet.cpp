#include "backend/draw/TilesSheet.h"

#include <cmath>

namespace limn::sdl {

const Bounds* TilesSheet::tile(double number) const {
    if (!std::isfinite(number) || number < 0 || number >= static_cast<double>(tiles_.size()))
        return nullptr;
    const Bounds& rect = tiles_[static_cast<std::size_t>(number)];
    const bool drawable = std::isfinite(rect.x0) && std::isfinite(rect.y0) &&
                          std::isfinite(rect.x1) && std::isfinite(rect.y1) && rect.width() > 0 &&
                          rect.height() > 0;
    return drawable ? &rect : nullptr;
}

}  // namespace limn::sdl
