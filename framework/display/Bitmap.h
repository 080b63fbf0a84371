#pragma once
// Shows a BitmapData in the display tree: its drawing list holds one rectangle
// of the picture's size, filled with the picture, with its top-left corner at
// the object's origin. The size is taken when `bitmapData` is set; a later
// change of the surface's size shows only after it is set again.
//
//   auto mole = std::make_shared<Bitmap>(BitmapData::load("images/Mole.png"));
//   stage->addChild(mole);

#include <memory>
#include <optional>
#include <string>

#include "framework/display/BitmapData.h"
#include "framework/display/DisplayObject.h"
#include "framework/display/PixelSnapping.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_BITMAP_PROPERTIES(RW, RO) \
    RW(bitmapData, BitmapData, const std::shared_ptr<BitmapData>&)

namespace limn::display {

class Bitmap : public DisplayObject {
public:
    RT_DECLARE_CLASS

    // `pixelSnapping` is stored only; `smoothing` smooths the bitmap fill.
    explicit Bitmap(std::shared_ptr<BitmapData> bitmapData = nullptr,
                    std::optional<PixelSnapping> pixelSnapping = std::nullopt,
                    bool smoothing = false);

    // The picture in the file (PNG, JPEG...), smoothed when scaled or turned. A file
    // that can't be read gives an empty bitmap, and the backend says why (LIMN_LOG).
    [[nodiscard]] static std::shared_ptr<Bitmap> fromFile(const std::string& path);

    // Redraws the drawing list for `bitmapData` (empty for null) and returns it.
    std::shared_ptr<BitmapData> limnSetBitmapData(const std::shared_ptr<BitmapData>& bitmapData);

    // The picture shown, or null; written only through limnSetBitmapData.
    [[nodiscard]] std::shared_ptr<BitmapData> limnGetBitmapData() const { return bitmapData_; }
    [[nodiscard]] std::optional<PixelSnapping> limnGetPixelSnapping() const {
        return pixelSnapping_;
    }
    [[nodiscard]] bool limnGetSmoothing() const { return smoothing_; }

    // Plain accessors.
    LIMN_BITMAP_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    [[nodiscard]] std::optional<PixelSnapping> pixelSnapping() const { return pixelSnapping_; }
    [[nodiscard]] bool smoothing() const { return smoothing_; }

private:
    std::shared_ptr<BitmapData> bitmapData_;
    std::optional<PixelSnapping> pixelSnapping_;
    bool smoothing_;

    [[nodiscard]] rt::Dynamic byNameGetPixelSnapping() const;
    void byNameSetPixelSnapping(const rt::Dynamic& value);
};

}  // namespace limn::display
