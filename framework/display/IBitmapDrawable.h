#pragma once
// Anything that can render itself into a native pixel surface: display objects
// and bitmap data. BitmapData::draw calls it on its source.
//
// surface        the target surface's native handle
// matrix, colorTransform, clipRect  optional (null: none)
// blendMode      the blend mode as text, or null
// smoothing      accepted; whether it reaches the backend is the implementer's

#include <memory>

#include "runtime/Dynamic.h"

namespace limn::geom {
class ColorTransform;
class Matrix;
class Rectangle;
}  // namespace limn::geom

namespace limn::display {

class IBitmapDrawable {
public:
    virtual ~IBitmapDrawable() = default;

    virtual void limnDrawToSurface(const rt::Dynamic& surface,
                                   const std::shared_ptr<geom::Matrix>& matrix,
                                   const std::shared_ptr<geom::ColorTransform>& colorTransform,
                                   const rt::Dynamic& blendMode,
                                   const std::shared_ptr<geom::Rectangle>& clipRect,
                                   bool smoothing) = 0;

protected:
    IBitmapDrawable() = default;
    IBitmapDrawable(const IBitmapDrawable&) = default;
    IBitmapDrawable& operator=(const IBitmapDrawable&) = default;
};

}  // namespace limn::display
