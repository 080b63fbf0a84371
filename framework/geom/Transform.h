#pragma once
// A view on one display object's matrix, colour transform and pixel bounds,
// which live in the backend. It copies nothing: every read hands out a fresh
// object filled by the backend, so changing what a read returned has no
// effect until it is assigned back. Properties by name: "matrix",
// "concatenatedMatrix", "colorTransform", "concatenatedColorTransform",
// "pixelBounds" (the concatenated ones and the bounds are read-only).
//
//   auto t = sprite->limnGetTransform();
//   auto m = t->limnGetMatrix();
//   m->translate(10, 0);
//   t->limnSetMatrix(m);

#include <memory>

#include "framework/geom/TransformTarget.h"
#include "runtime/Accessors.h"
#include "runtime/Object.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_TRANSFORM_PROPERTIES(RW, RO)                                      \
    RW(matrix, Matrix, const std::shared_ptr<Matrix>&)                         \
    RO(concatenatedMatrix, ConcatenatedMatrix)                                 \
    RW(colorTransform, ColorTransform, const std::shared_ptr<ColorTransform>&) \
    RO(concatenatedColorTransform, ConcatenatedColorTransform)                 \
    RO(pixelBounds, PixelBounds)

namespace limn::geom {

class ColorTransform;
class Matrix;
class Rectangle;

class Transform : public rt::Object {
public:
    RT_DECLARE_CLASS

    // Throws when `obj` is null: a view needs something to look at.
    explicit Transform(std::shared_ptr<TransformTarget> obj);

    [[nodiscard]] std::shared_ptr<Matrix> limnGetMatrix() const;
    [[nodiscard]] std::shared_ptr<Matrix> limnGetConcatenatedMatrix() const;
    // Returns `m` itself.
    std::shared_ptr<Matrix> limnSetMatrix(const std::shared_ptr<Matrix>& m);
    [[nodiscard]] std::shared_ptr<ColorTransform> limnGetColorTransform() const;
    [[nodiscard]] std::shared_ptr<ColorTransform> limnGetConcatenatedColorTransform() const;
    // Returns `ct` itself.
    std::shared_ptr<ColorTransform> limnSetColorTransform(
        const std::shared_ptr<ColorTransform>& ct);
    [[nodiscard]] std::shared_ptr<Rectangle> limnGetPixelBounds() const;
    LIMN_TRANSFORM_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)

private:
    // The display object this view is bound to; kept alive by the view.
    const std::shared_ptr<TransformTarget> limnObj;
};

}  // namespace limn::geom
