#include "backend/web/raster/WebPictures.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "backend/image/Surface.h"
#include "backend/web/raster/CanvasCalls.h"
#include "backend/web/raster/WebCanvas.h"

namespace limn::web::raster {

namespace {

// The page's key of each surface shown: a fresh one per surface, so a surface made
// where a forgotten one was never finds its picture.
struct Keys {
    std::unordered_map<const sdl::Surface*, int> bySurface;
    int next = 1;
};

Keys& keys() {
    static Keys kept;
    return kept;
}

// The canvas on a surface: an offscreen context holding its pixels while drawn
// into, copied back on flush() and when it goes.
class SurfaceCanvas final : public WebCanvas {
public:
    explicit SurfaceCanvas(sdl::Surface& target)
        : WebCanvas(target.width(), target.height()), target_(target) {
        limn_raster_write(baseContext(), 0, 0, target.width(), target.height(), target.row(0),
                          target.stride());
    }
    ~SurfaceCanvas() override { SurfaceCanvas::flush(); }
    void pixelsWritten(int x, int y, int w, int h) override {
        x = std::clamp(x, 0, target_.width());
        y = std::clamp(y, 0, target_.height());
        w = std::clamp(w, 0, target_.width() - x);
        h = std::clamp(h, 0, target_.height() - y);
        if (w <= 0 || h <= 0) return;
        limn_raster_write(baseContext(), x, y, w, h, target_.row(y) + x, target_.stride());
    }
    SurfaceCanvas(const SurfaceCanvas&) = delete;
    SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;

    void flush() override {
        limn_raster_read(baseContext(), 0, 0, target_.width(), target_.height(), target_.row(0),
                         target_.stride());
        if (!target_.transparent()) {
            for (int y = 0; y < target_.height(); ++y) {
                std::uint32_t* row = target_.row(y);
                for (int x = 0; x < target_.width(); ++x) row[x] |= 0xFF000000u;
            }
        }
        target_.markDirty();
    }

private:
    sdl::Surface& target_;
};

}  // namespace

PictureRef pictureOf(const sdl::Surface& surface) {
    auto& kept = keys();
    auto [at, added] = kept.bySurface.try_emplace(&surface, kept.next);
    if (added) ++kept.next;
    const int handle = limn_raster_picture(at->second, static_cast<double>(surface.version()),
                                           surface.row(0), surface.width(), surface.height(),
                                           surface.stride(), surface.transparent() ? 0 : 1);
    return {handle, surface.width(), surface.height()};
}

void forgetPicture(const sdl::Surface& surface) {
    auto& kept = keys();
    const auto at = kept.bySurface.find(&surface);
    if (at == kept.bySurface.end()) return;
    limn_raster_picture_free(at->second);
    kept.bySurface.erase(at);
}

}  // namespace limn::web::raster

namespace limn::sdl {

void prepareSurface(const Surface& /*surface*/) {}

std::unique_ptr<Canvas> openCanvas(Surface& target, CanvasUse /*use*/) {
    return std::make_unique<web::raster::SurfaceCanvas>(target);
}

}  // namespace limn::sdl
