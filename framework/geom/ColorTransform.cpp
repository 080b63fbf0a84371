#include "framework/geom/ColorTransform.h"

namespace limn::geom {

const rt::ClassInfo& ColorTransform::staticClass() {
    using C = ColorTransform;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.geom.ColorTransform", &rt::Object::staticClass())
            .field<&C::alphaMultiplier>("alphaMultiplier")
            .field<&C::redMultiplier>("redMultiplier")
            .field<&C::greenMultiplier>("greenMultiplier")
            .field<&C::blueMultiplier>("blueMultiplier")
            .field<&C::alphaOffset>("alphaOffset")
            .field<&C::redOffset>("redOffset")
            .field<&C::greenOffset>("greenOffset")
            .field<&C::blueOffset>("blueOffset")
            .method<&C::concat>("concat");
    return info;
}

ColorTransform::ColorTransform(double redMultiplier, double greenMultiplier, double blueMultiplier,
                               double alphaMultiplier, double redOffset, double greenOffset,
                               double blueOffset, double alphaOffset)
    : alphaMultiplier(alphaMultiplier),
      redMultiplier(redMultiplier),
      greenMultiplier(greenMultiplier),
      blueMultiplier(blueMultiplier),
      alphaOffset(alphaOffset),
      redOffset(redOffset),
      greenOffset(greenOffset),
      blueOffset(blueOffset) {}

void ColorTransform::concat(const ColorTransform& second) {
    redMultiplier += second.redMultiplier;
    greenMultiplier += second.greenMultiplier;
    blueMultiplier += second.blueMultiplier;
    alphaMultiplier += second.alphaMultiplier;
}

}  // namespace limn::geom
