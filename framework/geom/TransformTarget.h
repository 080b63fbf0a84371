#pragma once
// What a Transform reads and writes on the object it views: its matrix and
// colour transform (local and concatenated) and its pixel bounds. Display
// objects implement it; geometry needs nothing else of them.

#include <memory>

namespace limn::geom {

class ColorTransform;
class Matrix;
class Rectangle;

class TransformTarget {
public:
    virtual ~TransformTarget() = default;

    [[nodiscard]] virtual std::shared_ptr<Matrix> limnGetMatrix() const = 0;
    [[nodiscard]] virtual std::shared_ptr<Matrix> limnGetConcatenatedMatrix() const = 0;
    // Returns `m` itself.
    virtual std::shared_ptr<Matrix> limnSetMatrix(const std::shared_ptr<Matrix>& m) = 0;
    [[nodiscard]] virtual std::shared_ptr<ColorTransform> limnGetColorTransform() const = 0;
    [[nodiscard]] virtual std::shared_ptr<ColorTransform> limnGetConcatenatedColorTransform()
        const = 0;
    // Returns `ct` itself.
    virtual std::shared_ptr<ColorTransform> limnSetColorTransform(
        const std::shared_ptr<ColorTransform>& ct) = 0;
    [[nodiscard]] virtual std::shared_ptr<Rectangle> limnGetPixelBounds() const = 0;

protected:
    TransformTarget() = default;
    TransformTarget(const TransformTarget&) = default;
    TransformTarget& operator=(const TransformTarget&) = default;
};

}  // namespace limn::geom
