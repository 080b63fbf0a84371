#include "backend/image/PixelOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace limn::sdl {

namespace {

int toInt(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

bool inside(const Surface& s, int x, int y) {
    return x >= 0 && y >= 0 && x < s.width() && y < s.height();
}

// Writes through the surface's opacity rule.
std::uint32_t stored(const Surface& s, std::uint32_t argb) {
    return PixelOps::premultiply(s.transparent() ? argb : (argb | 0xFF000000u));
}

std::vector<std::uint32_t> straightRows(const Surface& s, PixelRect r) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(r.width) *
                                   static_cast<std::size_t>(r.height));
    for (int y = 0; y < r.height; ++y) {
        const std::uint32_t* row = s.row(r.y + y);
        for (int x = 0; x < r.width; ++x) {
            out[static_cast<std::size_t>(y) * r.width + x] = PixelOps::unpremultiply(row[r.x + x]);
        }
    }
    return out;
}

}  // namespace

PixelRect PixelRect::of(double x, double y, double width, double height) {
    return {toInt(std::floor(x)), toInt(std::floor(y)), toInt(std::round(width)),
            toInt(std::round(height))};
}

std::uint32_t PixelOps::premultiply(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0xFF) return argb;
    auto channel = [a](std::uint32_t v) { return (v * a + 127) / 255; };
    return a << 24 | channel(argb >> 16 & 0xFF) << 16 | channel(argb >> 8 & 0xFF) << 8 |
           channel(argb & 0xFF);
}

std::uint32_t PixelOps::unpremultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0xFF) return p;
    if (a == 0) return 0;
    auto channel = [a](std::uint32_t v) { return std::min(255u, (v * 255 + a / 2) / a); };
    return a << 24 | channel(p >> 16 & 0xFF) << 16 | channel(p >> 8 & 0xFF) << 8 |
           channel(p & 0xFF);
}

PixelRect PixelOps::clip(const Surface& s, PixelRect r) {
    const long x0 = std::max(0, r.x);
    const long y0 = std::max(0, r.y);
    const long x1 = std::min<long>(s.width(), static_cast<long>(r.x) + std::max(r.width, 0));
    const long y1 = std::min<long>(s.height(), static_cast<long>(r.y) + std::max(r.height, 0));
    if (x1 <= x0 || y1 <= y0) return {};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
            static_cast<int>(y1 - y0)};
}

PixelOps::CopyRects PixelOps::clipCopy(const Surface& from, PixelRect rect, const Surface& to,
                                       int toX, int toY) {
    // Clip against the source, then against the destination, moving both ends alike.
    const PixelRect r = clip(from, rect);
    if (r.empty()) return {};
    toX += r.x - rect.x;
    toY += r.y - rect.y;
    const PixelRect d = clip(to, {toX, toY, r.width, r.height});
    if (d.empty()) return {};
    return {{r.x + (d.x - toX), r.y + (d.y - toY), d.width, d.height}, d};
}

std::uint32_t PixelOps::getPixel32(const Surface& s, int x, int y) {
    if (!inside(s, x, y)) return 0;
    s.flush();
    return unpremultiply(s.row(y)[x]);
}

void PixelOps::setPixel32(Surface& s, int x, int y, std::uint32_t argb) {
    if (!inside(s, x, y)) return;
    s.flush();
    s.row(y)[x] = stored(s, argb);
    s.markDirty();
}

void PixelOps::setPixel(Surface& s, int x, int y, std::uint32_t rgb) {
    if (!inside(s, x, y)) return;
    const std::uint32_t alpha = getPixel32(s, x, y) & 0xFF000000u;
    setPixel32(s, x, y, alpha | (rgb & 0xFFFFFF));
}

std::shared_ptr<Surface> PixelOps::clone(const Surface& s) {
    auto copy = Surface::create(s.width(), s.height(), s.transparent(), 0);
    if (!copy) return nullptr;
    s.flush();
    for (int y = 0; y < s.height(); ++y) {
        std::memcpy(copy->row(y), s.row(y), static_cast<std::size_t>(s.width()) * 4);
    }
    copy->markDirty();
    return copy;
}

void PixelOps::clear(Surface& s, std::uint32_t argb) {
    fill(s, {0, 0, s.width(), s.height()}, argb);
}

void PixelOps::fill(Surface& s, PixelRect rect, std::uint32_t argb) {
    const PixelRect r = clip(s, rect);
    if (r.empty()) return;
    s.flush();
    const std::uint32_t pixel = stored(s, argb);
    for (int y = r.y; y < r.y + r.height; ++y) std::fill_n(s.row(y) + r.x, r.width, pixel);
    s.markDirty();
}

void PixelOps::copy(const Surface& from, PixelRect rect, Surface& to, int toX, int toY) {
    const auto [r, d] = clipCopy(from, rect, to, toX, toY);
    if (d.empty()) return;
    from.flush();
    const std::vector<std::uint32_t> pixels = straightRows(from, r);
    to.flush();
    for (int y = 0; y < d.height; ++y) {
        std::uint32_t* row = to.row(d.y + y) + d.x;
        for (int x = 0; x < d.width; ++x)
            row[x] = stored(to, pixels[static_cast<std::size_t>(y) * d.width + x]);
    }
    to.markDirty();
}

void PixelOps::copyChannel(const Surface& from, PixelRect rect, Surface& to, int toX, int toY,
                           int fromChannel, int toChannel) {
    // Channel bits to byte shifts of 0xAARRGGBB.
    auto shiftOf = [](int channel) -> int {
        switch (channel) {
            case 1:
                return 16;
            case 2:
                return 8;
            case 4:
                return 0;
            case 8:
                return 24;
            default:
                return -1;
        }
    };
    const int fromShift = shiftOf(fromChannel);
    const int toShift = shiftOf(toChannel);
    if (fromShift < 0 || toShift < 0) return;
    const auto [r, d] = clipCopy(from, rect, to, toX, toY);
    if (d.empty()) return;
    from.flush();
    const std::vector<std::uint32_t> source = straightRows(from, r);
    const std::vector<std::uint32_t> target = straightRows(to, d);
    const std::uint32_t keep = ~(0xFFu << toShift);
    for (int y = 0; y < d.height; ++y) {
        std::uint32_t* row = to.row(d.y + y) + d.x;
        for (int x = 0; x < d.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * d.width + x;
            const std::uint32_t value = source[i] >> fromShift & 0xFF;
            row[x] = stored(to, (target[i] & keep) | value << toShift);
        }
    }
    to.markDirty();
}

std::size_t PixelOps::getPixels(const Surface& s, PixelRect rect, std::span<std::uint8_t> out) {
    const PixelRect r = clip(s, rect);
    if (r.empty()) return 0;
    s.flush();
    std::size_t at = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
        const std::uint32_t* row = s.row(y);
        for (int x = r.x; x < r.x + r.width; ++x) {
            if (at + 4 > out.size()) return at;
            const std::uint32_t p = unpremultiply(row[x]);
            out[at++] = static_cast<std::uint8_t>(p >> 24);
            out[at++] = static_cast<std::uint8_t>(p >> 16);
            out[at++] = static_cast<std::uint8_t>(p >> 8);
            out[at++] = static_cast<std::uint8_t>(p);
        }
    }
    return at;
}

void PixelOps::setPixels(Surface& s, PixelRect rect, std::span<const std::uint8_t> in) {
    const PixelRect r = clip(s, rect);
    if (r.empty()) return;
    s.flush();
    std::size_t at = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
        std::uint32_t* row = s.row(y);
        for (int x = r.x; x < r.x + r.width; ++x) {
            if (at + 4 > in.size()) {
                s.markDirty();
                return;
            }
            const std::uint32_t argb = std::uint32_t(in[at]) << 24 |
                                       std::uint32_t(in[at + 1]) << 16 |
                                       std::uint32_t(in[at + 2]) << 8 | in[at + 3];
            row[x] = stored(s, argb);
            at += 4;
        }
    }
    s.markDirty();
}

PixelRect PixelOps::colorBounds(const Surface& s, std::uint32_t mask, std::uint32_t color,
                                bool find) {
    s.flush();
    int x0 = s.width(), y0 = s.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < s.height(); ++y) {
        const std::uint32_t* row = s.row(y);
        for (int x = 0; x < s.width(); ++x) {
            const bool same = (unpremultiply(row[x]) & mask) == (color & mask);
            if (same != find) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return {};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

void PixelOps::scroll(Surface& s, int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    if (std::abs(static_cast<long>(dx)) >= s.width() ||
        std::abs(static_cast<long>(dy)) >= s.height())
        return;
    s.flush();
    const int w = s.width() - std::abs(dx);
    const int h = s.height() - std::abs(dy);
    const int fromX = dx < 0 ? -dx : 0;
    const int toX = dx > 0 ? dx : 0;
    std::vector<std::uint32_t> block(static_cast<std::size_t>(w) * h);
    const int fromY = dy < 0 ? -dy : 0;
    const int toY = dy > 0 ? dy : 0;
    for (int y = 0; y < h; ++y)
        std::memcpy(&block[static_cast<std::size_t>(y) * w], s.row(fromY + y) + fromX,
                    static_cast<std::size_t>(w) * 4);
    for (int y = 0; y < h; ++y)
        std::memcpy(s.row(toY + y) + toX, &block[static_cast<std::size_t>(y) * w],
                    static_cast<std::size_t>(w) * 4);
    s.markDirty();
}

void PixelOps::setTransparent(Surface& s, bool transparent) {
    if (s.transparent() == transparent) return;
    s.setTransparent(transparent);
    if (transparent) return;
    s.flush();
    for (int y = 0; y < s.height(); ++y) {
        std::uint32_t* row = s.row(y);
        for (int x = 0; x < s.width(); ++x) row[x] = unpremultiply(row[x]) | 0xFF000000u;
    }
    s.markDirty();
}

}  // namespace limn::sdl
