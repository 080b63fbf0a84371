#include "backend/draw/TilesCommand.h"

#include <cmath>

namespace limn::sdl {

TilesCommand::TilesCommand(std::shared_ptr<TilesSheet> sheet, const std::vector<double>& data)
    : sheet_(std::move(sheet)) {
    if (!sheet_) return;
    for (std::size_t i = 0; i + 2 < data.size(); i += 3) {
        const double x = data[i];
        const double y = data[i + 1];
        const Bounds* tile = sheet_->tile(data[i + 2]);
        if (!tile || !std::isfinite(x) || !std::isfinite(y)) continue;
        placed_.push_back({x, y, *tile});
        bounds_.add(Bounds::of(x, y, tile->width(), tile->height()));
    }
}

bool TilesCommand::hit(double x, double y) const {
    for (const Placed& p : placed_) {
        if (Bounds::of(p.x, p.y, p.tile.width(), p.tile.height()).contains(x, y)) return true;
    }
    return false;
}

void TilesCommand::draw(Canvas& canvas, const FillStyle& fill, const RenderState& state) {
    if (!sheet_->picture()) return;
    FillStyle picture;
    picture.kind = FillKind::Bitmap;
    picture.bitmap = sheet_->picture();
    picture.repeat = false;
    picture.smooth = fill.kind == FillKind::Bitmap && fill.smooth;
    for (const Placed& p : placed_) {
        picture.matrix = Affine::translation(p.x - p.tile.x0, p.y - p.tile.y0);
        CanvasPath box;
        box.rect(p.x, p.y, p.tile.width(), p.tile.height());
        fillPath(canvas, box, FillRule::EvenOdd, picture, state, cache_);
    }
}

}  // namespace limn::sdl
