#include "backend/draw/FilterEffects.h"

#include <algorithm>
#include <cmath>

#include "backend/draw/FilterDropShadow.h"

namespace limn::sdl {

Bounds FilterEffects::growOne(const Bounds& area, const rt::Dynamic& filter) {
    if (auto shadow = FilterDropShadow::fromRecord(filter)) return shadow->grow(area);
    return area;
}

Bounds FilterEffects::grow(const Bounds& area, const std::vector<rt::ObjectPtr>& filters) {
    Bounds out = area;
    for (const auto& f : filters) out = growOne(out, rt::Dynamic(f));
    return out;
}

void FilterEffects::paint(Canvas& canvas, const Bounds& area,
                          const std::vector<rt::ObjectPtr>& filters) {
    const Bounds box = grow(area, filters).intersect(canvas.clipExtents());
    if (box.empty()) {
        canvas.filterLayer(0, 0, 0, 0, {});
        return;
    }
    const int x0 = static_cast<int>(std::floor(box.x0));
    const int y0 = static_cast<int>(std::floor(box.y0));
    const int width = std::min(kMaxSide, static_cast<int>(std::ceil(box.x1)) - x0);
    const int height = std::min(kMaxSide, static_cast<int>(std::ceil(box.y1)) - y0);
    canvas.filterLayer(x0, y0, width, height,
                       [&](std::vector<std::uint32_t>& pixels, int w, int h) {
                           for (const auto& f : filters) {
                               if (auto shadow = FilterDropShadow::fromRecord(rt::Dynamic(f)))
                                   shadow->apply(pixels, w, h);
                           }
                       });
}

}  // namespace limn::sdl
