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

void registerImagePrimitives(native::TableModule& m) {
    // width, height, flags (1: transparent), fill RGB, fill alpha 0..255.
    m.add("limn_bitmap_data_create", 5, [](rt::Args a) -> rt::Dynamic {
        const int alpha = std::clamp(argInt(a, 4), 0, 255);
        const auto rgb = static_cast<std::uint32_t>(argInt(a, 3)) & 0xFFFFFF;
        return Surface::create(argInt(a, 0), argInt(a, 1), (argInt(a, 2) & 1) != 0,
                               (static_cast<std::uint32_t>(alpha) << 24) | rgb);
    });
    m.add("limn_bitmap_data_load", 1,
          [](rt::Args a) -> rt::Dynamic { return ImageLoader::fromFile(argString(a, 0)); });
    m.add("limn_bitmap_data_from_bytes", 2, [](rt::Args a) -> rt::Dynamic {
        std::vector<std::uint8_t> scratch, alphaScratch;
        const std::uint8_t* data = nullptr;
        std::size_t size = 0;
        if (!bytesOf(arg(a, 0), scratch, data, size)) return {};
        const std::uint8_t* alpha = nullptr;
        std::size_t alphaSize = 0;
        bytesOf(arg(a, 1), alphaScratch, alpha, alphaSize);
        return ImageLoader::fromBytes(data, size, alpha, alphaSize);
    });
    m.add("limn_bitmap_data_width", 1, [](rt::Args a) -> rt::Dynamic {
        Surface* s = Surface::from(arg(a, 0));
        return s ? s->width() : 0;
    });
    m.add("limn_bitmap_data_height", 1, [](rt::Args a) -> rt::Dynamic {
        Surface* s = Surface::from(arg(a, 0));
        return s ? s->height() : 0;
    });
    m.add("limn_bitmap_data_get_transparent", 1, [](rt::Args a) -> rt::Dynamic {
        Surface* s = Surface::from(arg(a, 0));
        return s ? s->transparent() : false;
    });
}

}  // namespace limn::sdl
