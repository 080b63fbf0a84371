#include "framework/geom/Transform.h"

#include "framework/geom/ColorTransform.h"
#include "framework/geom/Matrix.h"
#include "framework/geom/Rectangle.h"
#include "runtime/Error.h"

namespace limn::geom {

namespace {

std::shared_ptr<TransformTarget> required(std::shared_ptr<TransformTarget> obj) {
    if (!obj) throw rt::Error("Transform: no display object");
    return obj;
}

}  // namespace

Transform::Transform(std::shared_ptr<TransformTarget> obj) : limnObj(required(std::move(obj))) {}

std::shared_ptr<Matrix> Transform::limnGetMatrix() const {
    return limnObj->limnGetMatrix();
}

std::shared_ptr<Matrix> Transform::limnGetConcatenatedMatrix() const {
    return limnObj->limnGetConcatenatedMatrix();
}

std::shared_ptr<Matrix> Transform::limnSetMatrix(const std::shared_ptr<Matrix>& m) {
    return limnObj->limnSetMatrix(m);
}

std::shared_ptr<ColorTransform> Transform::limnGetColorTransform() const {
    return limnObj->limnGetColorTransform();
}

std::shared_ptr<ColorTransform> Transform::limnGetConcatenatedColorTransform() const {
    return limnObj->limnGetConcatenatedColorTransform();
}

std::shared_ptr<ColorTransform> Transform::limnSetColorTransform(
    const std::shared_ptr<ColorTransform>& ct) {
    return limnObj->limnSetColorTransform(ct);
}

std::shared_ptr<Rectangle> Transform::limnGetPixelBounds() const {
    return limnObj->limnGetPixelBounds();
}

const rt::ClassInfo& Transform::staticClass() {
    using Self = Transform;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.geom.Transform", &rt::Object::staticClass())
            LIMN_TRANSFORM_PROPERTIES(RT_BIND_RW, RT_BIND_RO);
    return info;
}

}  // namespace limn::geom
