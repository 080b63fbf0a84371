#include "framework/filters/DropShadowFilter.h"

namespace limn::filters {

const rt::ClassInfo& DropShadowFilter::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.filters.DropShadowFilter", &BitmapFilter::staticClass())
            .field<&DropShadowFilter::distance>("distance")
            .field<&DropShadowFilter::angle>("angle")
            .field<&DropShadowFilter::color>("color")
            .field<&DropShadowFilter::alpha>("alpha")
            .field<&DropShadowFilter::blurX>("blurX")
            .field<&DropShadowFilter::blurY>("blurY")
            .field<&DropShadowFilter::quality>("quality")
            .field<&DropShadowFilter::strength>("strength")
            .field<&DropShadowFilter::inner>("inner")
            .field<&DropShadowFilter::knockout>("knockout")
            .field<&DropShadowFilter::hideObject>("hideObject");
    return info;
}

DropShadowFilter::DropShadowFilter(double distance, double angle, int color, double alpha,
                                   double blurX, double blurY, double strength, int quality,
                                   bool inner, bool knockout, bool hideObject)
    : BitmapFilter("DropShadowFilter"),
      distance(distance),
      angle(angle),
      color(color),
      alpha(alpha),
      blurX(blurX),
      blurY(blurY),
      quality(quality),
      strength(strength),
      inner(inner),
      knockout(knockout),
      hideObject(hideObject) {}

std::shared_ptr<BitmapFilter> DropShadowFilter::clone() const {
    return std::make_shared<DropShadowFilter>(distance, angle, color, alpha, blurX, blurY, strength,
                                              quality, inner, knockout, hideObject);
}

}  // namespace limn::filters
