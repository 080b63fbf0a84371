// Surfaces made, loaded from files or bytes, and their sizes.
#include "backend/image/ByteBuffer.h"
#include "backend/image/ImageLoader.h"
#include "backend/image/Surface.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Bytes.h"

namespace limn::sdl {

namespace {

// Bytes from a ByteArray's native buffer, a plain buffer or an array of numbers.
bool bytesOf(const rt::Dynamic& value, std::vector<std::uint8_t>& scratch,
             const std::uint8_t*& data, std::size_t& size) {
    if (ByteBuffer* buffer = ByteBuffer::from(value)) {
        data = buffer->bytes().data();
        size = buffer->size();
        return true;
    }
    if (auto* plain = value.handleAs<rt::Bytes>()) {
        data = plain->data.data();
        size = plain->data.size();
        return true;
    }
    if (auto list = value.asArray()) {
        scratch.clear();
        scratch.reserve(list->size());
        for (const auto& v : *list) scratch.push_back(static_cast<std::uint8_t>(v.asInt() & 0xFF));
        data = scratch.data();
        size = scratch.size();
        return true;
    }
    return false;
}

}  // namespace

namespace {

constexpr void handleImagePart(auto& m) {
    namespace wire = native::wire;
    using native::handle;
    // width, height, flags (1: transparent), fill RGB, fill alpha 0..255.
    handle<wire::limn_bitmap_data_create>(m, [](const auto& a) -> rt::Dynamic {
        const int alpha = std::clamp(a.alpha, 0, 255);
        const auto rgb = static_cast<std::uint32_t>(a.rgb) & 0xFFFFFF;
        return Surface::create(a.width, a.height, (a.flags & 1) != 0,
                               (static_cast<std::uint32_t>(alpha) << 24) | rgb);
    });
    handle<wire::limn_bitmap_data_load>(
        m, [](const auto& a) -> rt::Dynamic { return ImageLoader::fromFile(a.path); });
    handle<wire::limn_bitmap_data_from_bytes>(m, [](const auto& a) -> rt::Dynamic {
        std::vector<std::uint8_t> scratch, alphaScratch;
        const std::uint8_t* data = nullptr;
        std::size_t size = 0;
        if (!bytesOf(a.bytes, scratch, data, size)) return {};
        const std::uint8_t* alpha = nullptr;
        std::size_t alphaSize = 0;
        bytesOf(a.rawAlpha, alphaScratch, alpha, alphaSize);
        return ImageLoader::fromBytes(data, size, alpha, alphaSize);
    });
    handle<wire::limn_bitmap_data_width>(m, [](const auto& a) {
        Surface* s = Surface::from(a.bitmap);
        return s ? s->width() : 0;
    });
    handle<wire::limn_bitmap_data_height>(m, [](const auto& a) {
        Surface* s = Surface::from(a.bitmap);
        return s ? s->height() : 0;
    });
    handle<wire::limn_bitmap_data_get_transparent>(m, [](const auto& a) {
        Surface* s = Surface::from(a.bitmap);
        return s ? s->transparent() : false;
    });
}

}  // namespace

void registerImagePrimitives(native::TableModule& module) {
    handleImagePart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Images>([](auto& m) { handleImagePart(m); }));

}  // namespace limn::sdl
