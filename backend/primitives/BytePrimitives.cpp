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

void registerBytePrimitives(native::TableModule& m) {
    namespace wire = native::wire;
    using native::handle;
    handle<wire::limn_byte_array_create>(m, [](const rt::Dynamic& sizeValue) {
        const double size = sizeValue.asFloat();
        if (!(size >= 0) || size > static_cast<double>(ByteBuffer::kMaxSize)) {
            return std::make_shared<ByteBuffer>();
        }
        return std::make_shared<ByteBuffer>(
            std::vector<std::uint8_t>(static_cast<std::size_t>(size)));
    });
    handle<wire::limn_byte_array_read_file>(m, [](std::string path) {
        auto bytes = ByteBuffer::readFile(path);
        if (!bytes) rt::log::warn("could not read " + path + ": " + ByteBuffer::unreadable(path));
        return bytes;
    });
    handle<wire::limn_byte_array_get_length>(m, [](const rt::Dynamic& h) {
        ByteBuffer* b = ByteBuffer::from(h);
        return rt::Dynamic(b ? static_cast<long long>(b->size()) : 0LL);
    });
    handle<wire::limn_byte_array_get>(m, [](const rt::Dynamic& h, double i) {
        ByteBuffer* b = ByteBuffer::from(h);
        return b ? b->get(indexOf(i)) : 0;
    });
    handle<wire::limn_byte_array_set>(
        m, [](ByteBuffer& b, double i, int value) { b.set(indexOf(i), value); });
    handle<wire::limn_byte_array_as_string>(m, [](const rt::Dynamic& h) {
        ByteBuffer* b = ByteBuffer::from(h);
        if (!b) return std::string();
        return std::string(b->bytes().begin(), b->bytes().end());
    });
    // Copies into a plain buffer (rt::Bytes), an array of numbers or another native buffer.
    handle<wire::limn_byte_array_get_bytes>(m, [](ByteBuffer& b, const rt::Dynamic& into) {
        if (auto* plain = into.handleAs<rt::Bytes>()) {
            const std::size_t n = std::min(plain->data.size(), b.size());
            std::copy_n(b.bytes().begin(), n, plain->data.begin());
        } else if (auto list = into.asArray()) {
            const std::size_t n = std::min(list->size(), b.size());
            for (std::size_t i = 0; i < n; ++i) (*list)[i] = static_cast<int>(b.bytes()[i]);
        } else if (ByteBuffer* to = ByteBuffer::from(into)) {
            const std::size_t n = std::min(to->size(), b.size());
            std::copy_n(b.bytes().begin(), n, to->bytes().begin());
        }
    });
}

}  // namespace limn::sdl
