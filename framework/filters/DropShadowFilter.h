#pragma once
// A drop shadow: a record of parameters that the backend reads by name and
// renders. Distances and blurs are in pixels, `angle` in degrees, `color`
// 0xRRGGBB, `alpha` 0..1.
//
// Note the constructor takes `strength` before `quality`, while the fields
// list `quality` first.
//
//   auto shadow = std::make_shared<DropShadowFilter>(4.0, 45.0, 0x000000, 0.5);

#include <memory>

#include "framework/filters/BitmapFilter.h"

namespace limn::filters {

class DropShadowFilter : public BitmapFilter {
public:
    RT_DECLARE_CLASS

    explicit DropShadowFilter(double distance = 4.0, double angle = 45.0, int color = 0,
                              double alpha = 1.0, double blurX = 4.0, double blurY = 4.0,
                              double strength = 1.0, int quality = 1, bool inner = false,
                              bool knockout = false, bool hideObject = false);

    [[nodiscard]] std::shared_ptr<BitmapFilter> clone() const override;

    double distance;
    double angle;
    int color;
    double alpha;
    double blurX;
    double blurY;
    int quality;
    double strength;
    bool inner;
    bool knockout;
    bool hideObject;
};

}  // namespace limn::filters
