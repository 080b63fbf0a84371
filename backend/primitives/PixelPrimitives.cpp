// The BitmapData pixel primitives. Handles are Surfaces; colours cross as
// ints 0xAARRGGBB (or 0xRRGGBB with a separate alpha for fills); byte buffers
// are ByteArray buffers or plain byte buffers, laid out as PixelOps says.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "backend/image/ByteBuffer.h"
#include "backend/image/PixelOps.h"
#include "backend/primitives/Primitives.h"
#include "backend/scene/Renderer.h"
#include "runtime/Bytes.h"

namespace limn::sdl {

namespace {

namespace wire = native::wire;
using native::handle;

// Colours cross as numbers: 0xAARRGGBB does not fit an int.
std::uint32_t colourOf(double d) {
    if (!std::isfinite(d) || std::fabs(d) > 1e15) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(d));
}

int whole(double d) {
    return std::isfinite(d) ? static_cast<int>(std::clamp(std::floor(d), -1e9, 1e9)) : 0;
}

PixelRect rectOf(const rt::Dynamic& r) {
    return PixelRect::of(fieldNumber(r, "x"), fieldNumber(r, "y"), fieldNumber(r, "width"),
                         fieldNumber(r, "height"));
}

std::shared_ptr<Surface> surfaceOf(const rt::Dynamic& handle) {
    return std::dynamic_pointer_cast<Surface>(handle.asHandle());
}

// The bytes of a ByteArray buffer or of a plain byte buffer.
std::span<std::uint8_t> bytesOf(const rt::Dynamic& handle) {
    if (auto* buffer = ByteBuffer::from(handle)) return buffer->bytes();
    if (auto* plain = handle.handleAs<rt::Bytes>()) return plain->data;
    return {};
}

void copyChannel(Surface& from, const wire::limn_bitmap_data_copy_channel::Args& a) {
    Surface* to = Surface::from(a.target);
    if (!to) return;
    PixelOps::copyChannel(from, rectOf(a.sourceRect), *to, whole(field(a.destPoint, "x").asFloat()),
                          whole(field(a.destPoint, "y").asFloat()), a.sourceChannel, a.destChannel);
}

Affine matrixOf(const rt::Dynamic& m) {
    if (!m.isObject()) return {};
    return {fieldNumber(m, "a"), fieldNumber(m, "b"),  fieldNumber(m, "c"),
            fieldNumber(m, "d"), fieldNumber(m, "tx"), fieldNumber(m, "ty")};
}

ColorXf colorTransformOf(const rt::Dynamic& c) {
    if (!c.isObject()) return {};
    return {fieldNumber(c, "redMultiplier"),  fieldNumber(c, "greenMultiplier"),
            fieldNumber(c, "blueMultiplier"), fieldNumber(c, "alphaMultiplier"),
            fieldNumber(c, "redOffset"),      fieldNumber(c, "greenOffset"),
            fieldNumber(c, "blueOffset"),     fieldNumber(c, "alphaOffset")};
}

// target, source, matrix, colour transform, blend mode, clip rectangle, smoothing.
void renderSurface(Surface& target, const wire::limn_render_surface_to_surface::Args& a) {
    std::shared_ptr<Surface> source = surfaceOf(a.source);
    if (!source) return;
    // Drawing a surface into itself reads from a copy.
    if (source.get() == &target) source = PixelOps::clone(*source);
    if (!source) return;
    SceneNode node;
    FillStyle fill;
    fill.kind = FillKind::Bitmap;
    fill.bitmap = source;
    fill.repeat = false;
    fill.smooth = a.smoothing;
    node.graphics().beginFill(fill);
    node.graphics().drawRect(0, 0, source->width(), source->height());
    node.graphics().endFill();
    RenderOptions options;
    options.base = matrixOf(a.matrix);
    options.color = colorTransformOf(a.colorTransform);
    options.blendMode = blendModeIndex(a.blendMode);
    if (a.clipRect.isObject()) {
        options.clip =
            Bounds::of(fieldNumber(a.clipRect, "x"), fieldNumber(a.clipRect, "y"),
                       fieldNumber(a.clipRect, "width"), fieldNumber(a.clipRect, "height"));
    }
    options.applyRootTransform = false;
    options.quality = fill.smooth;
    Renderer::render(node, target, options);
    target.markDirty();
}

constexpr void registerReads(auto& m) {
    handle<wire::limn_bitmap_data_get_pixel>(m, [](Surface& s, const auto& a) {
        return static_cast<int>(PixelOps::getPixel32(s, whole(a.x), whole(a.y)) & 0xFFFFFF);
    });
    handle<wire::limn_bitmap_data_get_pixel32>(m, [](Surface& s, const auto& a) {
        return static_cast<int>(PixelOps::getPixel32(s, whole(a.x), whole(a.y)));
    });
    handle<wire::limn_bitmap_data_get_pixel_rgba>(m, [](Surface& s, const auto& a) {
        const std::uint32_t p = PixelOps::getPixel32(s, whole(a.x), whole(a.y));
        return static_cast<int>(p << 8 | p >> 24);
    });
    handle<wire::limn_bitmap_data_get_pixels>(m, [](Surface& s, const auto& a) {
        PixelOps::getPixels(s, rectOf(a.rect), bytesOf(a.bytes));
    });
    handle<wire::limn_bitmap_data_get_color_bounds_rect>(m, [](Surface& s, const auto& a) {
        const PixelRect r =
            PixelOps::colorBounds(s, colourOf(a.mask), colourOf(a.color), a.findColor);
        setField(a.into, "x", r.x);
        setField(a.into, "y", r.y);
        setField(a.into, "width", r.width);
        setField(a.into, "height", r.height);
    });
}

constexpr void registerWrites(auto& m) {
    handle<wire::limn_bitmap_data_set_pixel>(m, [](Surface& s, const auto& a) {
        PixelOps::setPixel(s, whole(a.x), whole(a.y), colourOf(a.color));
    });
    handle<wire::limn_bitmap_data_set_pixel32>(m, [](Surface& s, const auto& a) {
        PixelOps::setPixel32(s, whole(a.x), whole(a.y), colourOf(a.color));
    });
    handle<wire::limn_bitmap_data_set_pixel_rgba>(m, [](Surface& s, const auto& a) {
        const std::uint32_t rgba = colourOf(a.color);
        PixelOps::setPixel32(s, whole(a.x), whole(a.y), rgba >> 8 | rgba << 24);
    });
    handle<wire::limn_bitmap_data_set_bytes>(m, [](Surface& s, const auto& a) {
        PixelOps::setPixels(s, rectOf(a.rect), bytesOf(a.bytes));
    });
    handle<wire::limn_bitmap_data_clear>(
        m, [](Surface& s, const auto& a) { PixelOps::clear(s, colourOf(a.color)); });
    handle<wire::limn_bitmap_data_fill>(m, [](Surface& s, const auto& a) {
        const auto alpha = static_cast<std::uint32_t>(std::clamp(a.alpha, 0, 255));
        PixelOps::fill(s, rectOf(a.rect), alpha << 24 | (colourOf(a.color) & 0xFFFFFF));
    });
    handle<wire::limn_bitmap_data_scroll>(
        m, [](Surface& s, const auto& a) { PixelOps::scroll(s, whole(a.x), whole(a.y)); });
    handle<wire::limn_bitmap_data_set_flags>(
        m, [](Surface& s, const auto& a) { PixelOps::setTransparent(s, (a.flags & 1) != 0); });
}

}  // namespace

namespace {

constexpr void handlePixelPart(auto& m) {
    registerReads(m);
    registerWrites(m);
    handle<wire::limn_bitmap_data_clone>(
        m, [](Surface& s) -> rt::Dynamic { return PixelOps::clone(s); });
    handle<wire::limn_bitmap_data_copy>(m, [](Surface& from, const auto& a) {
        if (Surface* to = Surface::from(a.target)) {
            PixelOps::copy(from, rectOf(a.sourceRect), *to,
                           whole(field(a.destPoint, "x").asFloat()),
                           whole(field(a.destPoint, "y").asFloat()));
        }
    });
    handle<wire::limn_bitmap_data_copy_channel>(m, copyChannel);
    handle<wire::limn_render_surface_to_surface>(m, renderSurface);
}

}  // namespace

void registerPixelPrimitives(native::TableModule& module) {
    handlePixelPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Pixels>([](auto& m) { handlePixelPart(m); }));

}  // namespace limn::sdl
