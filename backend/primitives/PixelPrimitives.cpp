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

std::uint32_t colourOf(const rt::Dynamic& v) {
    if (v.isInt()) return static_cast<std::uint32_t>(v.asInt());
    const double d = v.asFloat();
    if (!std::isfinite(d) || std::fabs(d) > 1e15) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(d));
}

int whole(const rt::Dynamic& v) {
    const double d = v.asFloat();
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

using SurfaceFn = rt::Dynamic (*)(Surface&, rt::Args);

void onSurface(native::TableModule& m, const char* name, int count, SurfaceFn fn) {
    m.add(name, count, [fn](rt::Args a) -> rt::Dynamic {
        Surface* s = Surface::from(arg(a, 0));
        return s ? fn(*s, a) : rt::Dynamic();
    });
}

rt::Dynamic copyChannel(rt::Args packed) {
    auto values = arg(packed, 0).asArray();
    if (!values) return {};
    const rt::Args a(*values);
    Surface* from = Surface::from(arg(a, 0));
    Surface* to = Surface::from(arg(a, 2));
    if (!from || !to) return {};
    PixelOps::copyChannel(*from, rectOf(arg(a, 1)), *to, whole(field(arg(a, 3), "x")),
                          whole(field(arg(a, 3), "y")), argInt(a, 4), argInt(a, 5));
    return {};
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
rt::Dynamic renderSurface(rt::Args packed) {
    auto values = arg(packed, 0).asArray();
    if (!values) return {};
    const rt::Args a(*values);
    Surface* target = Surface::from(arg(a, 0));
    std::shared_ptr<Surface> source = surfaceOf(arg(a, 1));
    if (!target || !source) return {};
    // Drawing a surface into itself reads from a copy.
    if (source.get() == target) source = PixelOps::clone(*source);
    if (!source) return {};
    SceneNode node;
    FillStyle fill;
    fill.kind = FillKind::Bitmap;
    fill.bitmap = source;
    fill.repeat = false;
    fill.smooth = argBool(a, 6);
    node.graphics().beginFill(fill);
    node.graphics().drawRect(0, 0, source->width(), source->height());
    node.graphics().endFill();
    RenderOptions options;
    options.base = matrixOf(arg(a, 2));
    options.color = colorTransformOf(arg(a, 3));
    options.blendMode = blendModeIndex(arg(a, 4));
    if (arg(a, 5).isObject()) {
        options.clip =
            Bounds::of(fieldNumber(arg(a, 5), "x"), fieldNumber(arg(a, 5), "y"),
                       fieldNumber(arg(a, 5), "width"), fieldNumber(arg(a, 5), "height"));
    }
    options.applyRootTransform = false;
    options.quality = fill.smooth;
    Renderer::render(node, *target, options);
    target->markDirty();
    return {};
}

void registerReads(native::TableModule& m) {
    onSurface(m, "limn_bitmap_data_get_pixel", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        return static_cast<int>(PixelOps::getPixel32(s, whole(arg(a, 1)), whole(arg(a, 2))) &
                                0xFFFFFF);
    });
    onSurface(m, "limn_bitmap_data_get_pixel32", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        return static_cast<int>(PixelOps::getPixel32(s, whole(arg(a, 1)), whole(arg(a, 2))));
    });
    onSurface(m, "limn_bitmap_data_get_pixel_rgba", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        const std::uint32_t p = PixelOps::getPixel32(s, whole(arg(a, 1)), whole(arg(a, 2)));
        return static_cast<int>(p << 8 | p >> 24);
    });
    onSurface(m, "limn_bitmap_data_get_pixels", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::getPixels(s, rectOf(arg(a, 1)), bytesOf(arg(a, 2)));
        return {};
    });
    onSurface(
        m, "limn_bitmap_data_get_color_bounds_rect", 5, [](Surface& s, rt::Args a) -> rt::Dynamic {
            const PixelRect r =
                PixelOps::colorBounds(s, colourOf(arg(a, 1)), colourOf(arg(a, 2)), argBool(a, 3));
            setField(arg(a, 4), "x", r.x);
            setField(arg(a, 4), "y", r.y);
            setField(arg(a, 4), "width", r.width);
            setField(arg(a, 4), "height", r.height);
            return {};
        });
}

void registerWrites(native::TableModule& m) {
    onSurface(m, "limn_bitmap_data_set_pixel", 4, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::setPixel(s, whole(arg(a, 1)), whole(arg(a, 2)), colourOf(arg(a, 3)));
        return {};
    });
    onSurface(m, "limn_bitmap_data_set_pixel32", 4, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::setPixel32(s, whole(arg(a, 1)), whole(arg(a, 2)), colourOf(arg(a, 3)));
        return {};
    });
    onSurface(m, "limn_bitmap_data_set_pixel_rgba", 4, [](Surface& s, rt::Args a) -> rt::Dynamic {
        const std::uint32_t rgba = colourOf(arg(a, 3));
        PixelOps::setPixel32(s, whole(arg(a, 1)), whole(arg(a, 2)), rgba >> 8 | rgba << 24);
        return {};
    });
    onSurface(m, "limn_bitmap_data_set_bytes", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::setPixels(s, rectOf(arg(a, 1)), bytesOf(arg(a, 2)));
        return {};
    });
    onSurface(m, "limn_bitmap_data_clear", 2, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::clear(s, colourOf(arg(a, 1)));
        return {};
    });
    onSurface(m, "limn_bitmap_data_fill", 4, [](Surface& s, rt::Args a) -> rt::Dynamic {
        const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(argInt(a, 3), 0, 255));
        PixelOps::fill(s, rectOf(arg(a, 1)), alpha << 24 | (colourOf(arg(a, 2)) & 0xFFFFFF));
        return {};
    });
    onSurface(m, "limn_bitmap_data_scroll", 3, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::scroll(s, whole(arg(a, 1)), whole(arg(a, 2)));
        return {};
    });
    onSurface(m, "limn_bitmap_data_set_flags", 2, [](Surface& s, rt::Args a) -> rt::Dynamic {
        PixelOps::setTransparent(s, (argInt(a, 1) & 1) != 0);
        return {};
    });
}

}  // namespace

void registerPixelPrimitives(native::TableModule& m) {
    registerReads(m);
    registerWrites(m);
    onSurface(m, "limn_bitmap_data_clone", 1,
              [](Surface& s, rt::Args) -> rt::Dynamic { return PixelOps::clone(s); });
    m.add("limn_bitmap_data_copy", 4, [](rt::Args a) -> rt::Dynamic {
        Surface* from = Surface::from(arg(a, 0));
        Surface* to = Surface::from(arg(a, 2));
        if (from && to) {
            PixelOps::copy(*from, rectOf(arg(a, 1)), *to, whole(field(arg(a, 3), "x")),
                           whole(field(arg(a, 3), "y")));
        }
        return {};
    });
    m.add("limn_bitmap_data_copy_channel", native::kVariableArgs, copyChannel);
    m.add("limn_render_surface_to_surface", native::kVariableArgs, renderSurface);
}

}  // namespace limn::sdl
