#pragma once
// Plain value types of the renderer: an affine matrix, an axis-aligned box and
// a colour transform. Units are pixels; offsets of a colour transform are in
// 0..255 channel units, as the framework's ColorTransform gives them.

#include <algorithm>
#include <cmath>
#include <limits>

namespace limn::sdl {

// Maps (x, y) to (a*x + c*y + tx, b*x + d*y + ty), like the framework's Matrix.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    [[nodiscard]] double mapX(double x, double y) const { return a * x + c * y + tx; }
    [[nodiscard]] double mapY(double x, double y) const { return b * x + d * y + ty; }
    // This transform applied after `inner`: (*this)(inner(p)).
    [[nodiscard]] Affine operator*(const Affine& inner) const {
        return {a * inner.a + c * inner.b,        b * inner.a + d * inner.b,
                a * inner.c + c * inner.d,        b * inner.c + d * inner.d,
                a * inner.tx + c * inner.ty + tx, b * inner.tx + d * inner.ty + ty};
    }
    [[nodiscard]] double determinant() const { return a * d - b * c; }
    // The inverse; a singular matrix inverts to one that maps everything far away.
    [[nodiscard]] Affine inverse() const {
        const double det = determinant();
        if (det == 0 || !std::isfinite(det)) return {0, 0, 0, 0, 1e30, 1e30};
        const double i = 1.0 / det;
        const double na = d * i, nb = -b * i, nc = -c * i, nd = a * i;
        return {na, nb, nc, nd, -na * tx - nc * ty, -nb * tx - nd * ty};
    }
    [[nodiscard]] bool isTranslation() const { return a == 1 && b == 0 && c == 0 && d == 1; }
    [[nodiscard]] static Affine translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
};

// A box [x0, x1) x [y0, y1); empty when it covers no area (x0 >= x1 or
// y0 >= y1; the default is empty).
struct Bounds {
    double x0 = std::numeric_limits<double>::infinity();
    double y0 = std::numeric_limits<double>::infinity();
    double x1 = -std::numeric_limits<double>::infinity();
    double y1 = -std::numeric_limits<double>::infinity();

    [[nodiscard]] static Bounds of(double x, double y, double w, double h) {
        return {std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
    }
    [[nodiscard]] bool empty() const { return !(x0 < x1 && y0 < y1); }
    [[nodiscard]] double width() const { return empty() ? 0 : x1 - x0; }
    [[nodiscard]] double height() const { return empty() ? 0 : y1 - y0; }
    [[nodiscard]] bool contains(double x, double y) const {
        return x >= x0 && x < x1 && y >= y0 && y < y1;
    }
    void add(double x, double y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    void add(const Bounds& o) {
        if (o.empty()) return;
        add(o.x0, o.y0);
        add(o.x1, o.y1);
    }
    // Grows a box around anything added, a line or a point included.
    void inflate(double by) {
        if (!(x0 <= x1 && y0 <= y1)) return;
        x0 -= by;
        y0 -= by;
        x1 += by;
        y1 += by;
    }
    [[nodiscard]] Bounds intersect(const Bounds& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
    // The box around this one mapped through m.
    [[nodiscard]] Bounds transformed(const Affine& m) const {
        if (empty()) return {};
        if (m.b == 0 && m.c == 0) {
            return of(m.a * x0 + m.tx, m.d * y0 + m.ty, m.a * (x1 - x0), m.d * (y1 - y0));
        }
        Bounds r;
        r.add(m.mapX(x0, y0), m.mapY(x0, y0));
        r.add(m.mapX(x1, y0), m.mapY(x1, y0));
        r.add(m.mapX(x0, y1), m.mapY(x0, y1));
        r.add(m.mapX(x1, y1), m.mapY(x1, y1));
        return r;
    }
};

// Each channel becomes channel * multiplier + offset, clamped to 0..255.
struct ColorXf {
    double rm = 1, gm = 1, bm = 1, am = 1;
    double ro = 0, go = 0, bo = 0, ao = 0;

    [[nodiscard]] bool isIdentity() const { return isAlphaOnly() && am == 1; }
    // Only the alpha multiplier differs from identity.
    [[nodiscard]] bool isAlphaOnly() const {
        return rm == 1 && gm == 1 && bm == 1 && ro == 0 && go == 0 && bo == 0 && ao == 0;
    }
    // `inner` applied first, then this one.
    [[nodiscard]] ColorXf operator*(const ColorXf& inner) const {
        return {rm * inner.rm,      gm * inner.gm,      bm * inner.bm,      am * inner.am,
                rm * inner.ro + ro, gm * inner.go + go, bm * inner.bo + bo, am * inner.ao + ao};
    }
    // Channel values in 0..1 (straight, not premultiplied).
    [[nodiscard]] double red(double v) const { return clamp(v * rm + ro / 255.0); }
    [[nodiscard]] double green(double v) const { return clamp(v * gm + go / 255.0); }
    [[nodiscard]] double blue(double v) const { return clamp(v * bm + bo / 255.0); }
    [[nodiscard]] double alpha(double v) const { return clamp(v * am + ao / 255.0); }

private:
    static double clamp(double v) { return std::clamp(v, 0.0, 1.0); }
};

}  // namespace limn::sdl
