#pragma once
// A tile sheet: one picture and the rectangles cut from it, numbered from 0
// in the order they were added (in the picture's pixels).
//
// Lifetime: the handle of "limn_tilesheet_create"; drawing lists that draw
// its tiles keep it alive.

#include <memory>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/image/Surface.h"

namespace limn::sdl {

class TilesSheet final : public rt::NativeObject {
public:
    // `picture` may be null: such a sheet draws nothing.
    explicit TilesSheet(std::shared_ptr<Surface> picture) : picture_(std::move(picture)) {
        if (picture_) picture_->markShown();
    }
    static TilesSheet* from(const rt::Dynamic& handle) { return handle.handleAs<TilesSheet>(); }

    // Empty or non-finite rectangles still take a number but draw nothing.
    void addTile(const Bounds& rect) { tiles_.push_back(rect); }
    [[nodiscard]] const std::shared_ptr<Surface>& picture() const { return picture_; }
    [[nodiscard]] std::size_t size() const { return tiles_.size(); }
    // The tile's rectangle, or nullptr for a number that names none.
    [[nodiscard]] const Bounds* tile(double number) const;

private:
    std::shared_ptr<Surface> picture_;
    std::vector<Bounds> tiles_;
};

}  // namespace limn::sdl
