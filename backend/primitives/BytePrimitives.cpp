// Native byte buffers.
#include <cmath>

#include "backend/image/ByteBuffer.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Bytes.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

long long indexOf(double v) {
    return std::isfinite(v) ? static_cast<long long>(v) : -1;
}

}  // namespace

namespace {

constexpr void handleBytePart(auto& m) {
    namespace wire = native::wire;
    using native::handle;
    handle<wire::limn_byte_array_create>(m, [](const auto& a) {
        const double size = a.size.asFloat();
        if (!(size >= 0) || size > static_cast<double>(ByteBuffer::kMaxSize)) {
            return std::make_shared<ByteBuffer>();
        }
        return std::make_shared<ByteBuffer>(
            std::vector<std::uint8_t>(static_cast<std::size_t>(size)));
    });
    handle<wire::limn_byte_array_read_file>(m, [](const auto& a) {
        auto bytes = ByteBuffer::readFile(a.path);
        if (!bytes)
            rt::log::warn("could not read " + a.path + ": " + ByteBuffer::unreadable(a.path));
        return bytes;
    });
    handle<wire::limn_byte_array_get_length>(m, [](const auto& a) {
        ByteBuffer* b = ByteBuffer::from(a.bytes);
        return rt::Dynamic(b ? static_cast<long long>(b->size()) : 0LL);
    });
    handle<wire::limn_byte_array_get>(m, [](const auto& a) {
        ByteBuffer* b = ByteBuffer::from(a.bytes);
        return b ? b->get(indexOf(a.index)) : 0;
    });
    handle<wire::limn_byte_array_set>(
        m, [](ByteBuffer& b, const auto& a) { b.set(indexOf(a.index), a.value); });
    handle<wire::limn_byte_array_as_string>(m, [](const auto& a) {
        ByteBuffer* b = ByteBuffer::from(a.bytes);
        if (!b) return std::string();
        return std::string(b->bytes().begin(), b->bytes().end());
    });
    // Copies into a plain buffer (rt::Bytes), an array of numbers or another native buffer.
    handle<wire::limn_byte_array_get_bytes>(
        m, [](ByteBuffer& b, const wire::limn_byte_array_get_bytes::Args& a) {
            if (auto* plain = a.into.handleAs<rt::Bytes>()) {
                const std::size_t n = std::min(plain->data.size(), b.size());
                std::copy_n(b.bytes().begin(), n, plain->data.begin());
            } else if (auto list = a.into.asArray()) {
                const std::size_t n = std::min(list->size(), b.size());
                for (std::size_t i = 0; i < n; ++i) (*list)[i] = static_cast<int>(b.bytes()[i]);
            } else if (ByteBuffer* to = ByteBuffer::from(a.into)) {
                const std::size_t n = std::min(to->size(), b.size());
                std::copy_n(b.bytes().begin(), n, to->bytes().begin());
            }
        });
}

}  // namespace

void registerBytePrimitives(native::TableModule& module) {
    handleBytePart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Bytes>([](auto& m) { handleBytePart(m); }));

}  // namespace limn::sdl
