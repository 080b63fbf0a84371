#pragma once
// The drawing-list command of drawTiles: tiles of one sheet placed by a list
// of numbers in groups of three, x, y and tile number, each tile drawn with
// its top-left corner at (x, y) in the owner's coordinates. Groups naming no
// tile, with a non-finite position, or left incomplete at the end draw
// nothing. Smoothing follows the fill open when the command was added.

#include <memory>
#include <vector>

#include "backend/draw/DrawingList.h"
#include "backend/draw/Paint.h"
#include "backend/draw/TilesSheet.h"

namespace limn::sdl {

class TilesCommand final : public DrawCommand {
public:
    TilesCommand(std::shared_ptr<TilesSheet> sheet, const std::vector<double>& data);

    void draw(Canvas& canvas, const FillStyle& fill, const RenderState& state) override;
    [[nodiscard]] Bounds bounds() const override { return bounds_; }
    [[nodiscard]] bool hit(double x, double y) const override;

private:
    struct Placed {
        double x, y;
        Bounds tile;
    };

    std::shared_ptr<TilesSheet> sheet_;
    std::vector<Placed> placed_;
    Bounds bounds_;
    FillCache cache_;
};

}  // namespace limn::sdl
