#pragma once
// The drawing-list command of drawTriangles, filled with the fill open when
// it was added.
//
// vertices: x, y pairs in the owner's coordinates. indices: three vertex
// numbers per triangle (empty: vertices taken three at a time). uvt: u, v per
// vertex (or u, v, t; t is ignored), in 0..1 across the bitmap of a bitmap
// fill, which is then mapped onto each triangle; without uvt, or with another
// fill, the triangles are filled as one shape.
//
// Culling by the winding on the target: 1 leaves out triangles whose corners
// run clockwise on screen, -1 those that run anticlockwise, 0 none.
// Triangles with a missing vertex or a non-finite coordinate are skipped.

#include <array>
#include <vector>

#include "backend/draw/DrawingList.h"
#include "backend/draw/Paint.h"

namespace limn::sdl {

class TrianglesCommand final : public DrawCommand {
public:
    TrianglesCommand(std::vector<double> vertices, const std::vector<double>& indices,
                     std::vector<double> uvt, int culling);

    void draw(Canvas& canvas, const FillStyle& fill, const RenderState& state) override;
    [[nodiscard]] Bounds bounds() const override { return bounds_; }
    [[nodiscard]] bool hit(double x, double y) const override;
    [[nodiscard]] std::size_t triangles() const { return triangles_.size(); }

private:
    using Triangle = std::array<std::size_t, 3>;

    [[nodiscard]] bool culled(const Triangle& t, const Affine& toDevice) const;
    void drawMapped(Canvas& canvas, const FillStyle& fill, const RenderState& state,
                    const Triangle& t);
    void path(CanvasPath& into, const Triangle& t) const;
    [[nodiscard]] double x(std::size_t v) const { return vertices_[2 * v]; }
    [[nodiscard]] double y(std::size_t v) const { return vertices_[2 * v + 1]; }

    std::vector<double> vertices_;
    std::vector<double> uvt_;
    std::size_t uvtStride_ = 0;  // 0: no uv data
    std::vector<Triangle> triangles_;
    int culling_;
    Bounds bounds_;
    FillCache cache_;
};

}  // namespace limn::sdl
