#pragma once
// How a display object's colour channels are scaled and shifted: each channel
// becomes channel * multiplier + offset. Fields are readable and writable by
// name; the backend fills and reads them. Note the constructor's argument order
// (red, green, blue, alpha) differs from the field order (alpha first).

#include "runtime/Object.h"

namespace limn::geom {

class ColorTransform : public rt::Object {
public:
    RT_DECLARE_CLASS

    double alphaMultiplier;
    double redMultiplier;
    double greenMultiplier;
    double blueMultiplier;
    double alphaOffset;
    double redOffset;
    double greenOffset;
    double blueOffset;

    explicit ColorTransform(double redMultiplier = 1, double greenMultiplier = 1,
                            double blueMultiplier = 1, double alphaMultiplier = 1,
                            double redOffset = 0, double greenOffset = 0, double blueOffset = 0,
                            double alphaOffset = 0);

    // Adds second's multipliers to these (it does not multiply); offsets stay.
    void concat(const ColorTransform& second);
};

}  // namespace limn::geom
