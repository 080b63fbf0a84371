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

#include "framework/display/BitmapData.h"
#include "framework/display/DisplayObject.h"
#include "framework/display/PixelSnapping.h"

namespace limn::display {

class Bitmap : public DisplayObject {
public:
    RT_DECLARE_CLASS

    // `pixelSnapping` is stored only; `smoothing` smooths the bitmap fill.
    explicit Bitmap(std::shared_ptr<BitmapData> bitmapData = nullptr,
                    std::optional<PixelSnapping> pixelSnapping = std::nullopt,
                    bool smoothing = false);

    // Redraws the drawing list for `bitmapData` (empty for null) and returns it.
    std::shared_ptr<BitmapData> limnSetBitmapData(const std::shared_ptr<BitmapData>& bitmapData);

    // The picture shown, or null; written only through limnSetBitmapData.
    [[nodiscard]] std::shared_ptr<BitmapData> limnGetBitmapData() const { return bitmapData; }
    [[nodiscard]] std::optional<PixelSnapping> limnGetPixelSnapping() const {
        return pixelSnapping;
    }
    [[nodiscard]] bool limnGetSmoothing() const { return smoothing; }

private:
    std::shared_ptr<BitmapData> bitmapData;
    std::optional<PixelSnapping> pixelSnapping;
    bool smoothing;

    [[nodiscard]] rt::Dynamic byNameGetPixelSnapping() const;
    void byNameSetPixelSnapping(const rt::Dynamic& value);
};

}  // namespace limn::display
