#include "backend/draw/FilterDropShadow.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "backend/base/Fields.h"

namespace limn::sdl {

namespace {

double number(const rt::Dynamic& record, const char* name, double fallback, double low,
              double high) {
    const rt::Dynamic v = field(record, name);
    if (v.isNull()) return fallback;
    const double d = v.asFloat();
    return std::isfinite(d) ? std::clamp(d, low, high) : fallback;
}

int window(double blur) {
    return std::max(1, static_cast<int>(std::lround(blur)));
}

// One box pass over n values spaced `step` apart; values beyond the ends count as `edge`.
void boxPass(float* data, int n, int step, int size, float edge, std::vector<float>& scratch) {
    if (size <= 1 || n <= 0) return;
    scratch.resize(static_cast<std::size_t>(n));
    const int before = (size - 1) / 2;
    const int after = size / 2;
    auto at = [&](int i) {
        return i < 0 || i >= n ? edge : data[static_cast<std::ptrdiff_t>(i) * step];
    };
    double sum = 0;
    for (int i = -before; i <= after; ++i) sum += at(i);
    for (int i = 0; i < n; ++i) {
        scratch[static_cast<std::size_t>(i)] = static_cast<float>(sum / size);
        sum += at(i + after + 1) - at(i - before);
    }
    for (int i = 0; i < n; ++i)
        data[static_cast<std::ptrdiff_t>(i) * step] = scratch[static_cast<std::size_t>(i)];
}

}  // namespace

std::optional<FilterDropShadow> FilterDropShadow::fromRecord(const rt::Dynamic& record) {
    if (!record.isObject() || field(record, "type").asString() != "DropShadowFilter")
        return std::nullopt;
    FilterDropShadow f;
    f.distance = number(record, "distance", 4, -4096, 4096);
    f.angle = number(record, "angle", 45, -1e6, 1e6);
    const double c = number(record, "color", 0, -1e15, 1e15);
    f.color = static_cast<std::uint32_t>(static_cast<std::int64_t>(c)) & 0xFFFFFF;
    f.alpha = number(record, "alpha", 1, 0, 1);
    f.blurX = number(record, "blurX", 4, 0, 255);
    f.blurY = number(record, "blurY", 4, 0, 255);
    f.quality = static_cast<int>(number(record, "quality", 1, 0, 3));
    f.strength = number(record, "strength", 1, 0, 255);
    f.inner = field(record, "inner").asBool();
    f.knockout = field(record, "knockout").asBool();
    f.hideObject = field(record, "hideObject").asBool();
    return f;
}

double FilterDropShadow::offsetX() const {
    return distance * std::cos(angle * std::numbers::pi / 180.0);
}

double FilterDropShadow::offsetY() const {
    return distance * std::sin(angle * std::numbers::pi / 180.0);
}

int FilterDropShadow::reachX() const {
    return quality <= 0 ? 0 : quality * (window(blurX) / 2 + 1);
}

int FilterDropShadow::reachY() const {
    return quality <= 0 ? 0 : quality * (window(blurY) / 2 + 1);
}

Bounds FilterDropShadow::grow(const Bounds& area) const {
    if (inner || area.empty()) return area;
    Bounds shadow = area;
    shadow.x0 += offsetX() - reachX();
    shadow.x1 += offsetX() + reachX();
    shadow.y0 += offsetY() - reachY();
    shadow.y1 += offsetY() + reachY();
    Bounds out = area;
    out.add(shadow);
    return out;
}

std::vector<float> FilterDropShadow::shadowMap(const std::vector<std::uint32_t>& pixels, int width,
                                               int height) const {
    // Whole-pixel offsets keep the shadow sharp when nothing blurs it.
    const int dx = static_cast<int>(std::lround(offsetX()));
    const int dy = static_cast<int>(std::lround(offsetY()));
    const float outside = inner ? 255.0f : 0.0f;
    std::vector<float> map(pixels.size(), outside);
    for (int y = 0; y < height; ++y) {
        const int sy = y - dy;
        if (sy < 0 || sy >= height) continue;
        for (int x = 0; x < width; ++x) {
            const int sx = x - dx;
            if (sx < 0 || sx >= width) continue;
            const auto a =
                static_cast<float>(pixels[static_cast<std::size_t>(sy) * width + sx] >> 24);
            map[static_cast<std::size_t>(y) * width + x] = inner ? 255.0f - a : a;
        }
    }
    std::vector<float> scratch;
    for (int pass = 0; pass < quality; ++pass) {
        for (int y = 0; y < height; ++y) {
            boxPass(&map[static_cast<std::size_t>(y) * width], width, 1, window(blurX), outside,
                    scratch);
        }
        for (int x = 0; x < width; ++x)
            boxPass(&map[static_cast<std::size_t>(x)], height, width, window(blurY), outside,
                    scratch);
    }
    return map;
}

void FilterDropShadow::apply(std::vector<std::uint32_t>& pixels, int width, int height) const {
    if (width <= 0 || height <= 0) return;
    const std::vector<float> map = shadowMap(pixels, width, height);
    const double cr = (color >> 16 & 0xFF), cg = (color >> 8 & 0xFF), cb = (color & 0xFF);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const double s = std::min(1.0, map[i] / 255.0 * strength) * alpha;
        const std::uint32_t o = pixels[i];
        const double oa = (o >> 24) / 255.0;
        double k = 0;     // how much of the shadow shows
        double keep = 0;  // how much of the object shows
        if (inner) {
            k = s * oa;
            keep = knockout || hideObject ? 0.0 : 1.0 - s;
        } else {
            k = hideObject && !knockout ? s : s * (1.0 - oa);
            keep = knockout || hideObject ? 0.0 : 1.0;
        }
        auto mix = [&](int shift, double shadowChannel) {
            const double v = (o >> shift & 0xFF) * keep + shadowChannel * k;
            return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
        };
        const double a = (o >> 24) * keep + 255.0 * k;
        const auto na = static_cast<std::uint32_t>(std::clamp(std::lround(a), 0L, 255L));
        pixels[i] = na << 24 | std::min(na, mix(16, cr)) << 16 | std::min(na, mix(8, cg)) << 8 |
                    std::min(na, mix(0, cb));
    }
}

}  // namespace limn::sdl
