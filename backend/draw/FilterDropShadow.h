#pragma once
// A drop shadow read from a DropShadowFilter record (fields by name:
// distance, angle in degrees, color 0xRRGGBB, alpha 0..1, blurX, blurY,
// quality, strength, inner, knockout, hideObject), and its effect on a
// premultiplied ARGB picture.
//
// The shadow is the picture's alpha (its inverse for an inner shadow) moved
// by distance along angle, blurred by a box of blurX x blurY pixels applied
// `quality` times (1 to 3; 0 or less: no blur), scaled by strength and alpha
// and tinted with color. Blur amounts are clamped to 0..255 pixels.

#include <cstdint>
#include <optional>
#include <vector>

#include "backend/base/Geometry.h"
#include "runtime/Dynamic.h"

namespace limn::sdl {

struct FilterDropShadow {
    double distance = 4;
    double angle = 45;
    std::uint32_t color = 0;
    double alpha = 1;
    double blurX = 4;
    double blurY = 4;
    int quality = 1;
    double strength = 1;
    bool inner = false;
    bool knockout = false;
    bool hideObject = false;

    // Nullopt unless the record's type is "DropShadowFilter".
    [[nodiscard]] static std::optional<FilterDropShadow> fromRecord(const rt::Dynamic& record);

    [[nodiscard]] double offsetX() const;
    [[nodiscard]] double offsetY() const;
    // Pixels the blur reaches out on each side.
    [[nodiscard]] int reachX() const;
    [[nodiscard]] int reachY() const;
    // The box the result may cover, given the picture's box.
    [[nodiscard]] Bounds grow(const Bounds& area) const;

    // Applies the shadow to `pixels` (premultiplied 0xAARRGGBB, width x height,
    // row after row), in place.
    void apply(std::vector<std::uint32_t>& pixels, int width, int height) const;

private:
    [[nodiscard]] std::vector<float> shadowMap(const std::vector<std::uint32_t>& pixels, int width,
                                               int height) const;
};

}  // namespace limn::sdl
