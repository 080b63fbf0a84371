// Native byte buffers.
#include <cmath>

#include "backend/image/ByteBuffer.h"
#include "backend/primitives/Primitives.h"
#include "runtime/Bytes.h"
#include "runtime/Log.h"

namespace limn::sdl {

namespace {

long long indexArg(rt::Args a, std::size_t i) {
    const double v = argNumber(a, i);
    return std::isfinite(v) ? static_cast<long long>(v) : -1;
}

}  // namespace

void registerBytePrimitives(native::TableModule& m) {
    m.add("limn_byte_array_create", 1, [](rt::Args a) -> rt::Dynamic {
        const double size = argNumber(a, 0);
        if (!(size >= 0) || size > static_cast<double>(ByteBuffer::kMaxSize)) {
            return std::make_shared<ByteBuffer>();
        }
        return std::make_shared<ByteBuffer>(
            std::vector<std::uint8_t>(static_cast<std::size_t>(size)));
    });
    m.add("limn_byte_array_read_file", 1, [](rt::Args a) -> rt::Dynamic {
        const std::string path = argString(a, 0);
        auto bytes = ByteBuffer::readFile(path);
        if (!bytes) rt::log::warn("could not read " + path + ": " + ByteBuffer::unreadable(path));
        return bytes;
    });
    m.add("limn_byte_array_get_length", 1, [](rt::Args a) -> rt::Dynamic {
        ByteBuffer* b = ByteBuffer::from(arg(a, 0));
        return rt::Dynamic(b ? static_cast<long long>(b->size()) : 0LL);
    });
    m.add("limn_byte_array_get", 2, [](rt::Args a) -> rt::Dynamic {
        ByteBuffer* b = ByteBuffer::from(arg(a, 0));
        return b ? b->get(indexArg(a, 1)) : 0;
    });
    m.add("limn_byte_array_set", 3, [](rt::Args a) -> rt::Dynamic {
        if (ByteBuffer* b = ByteBuffer::from(arg(a, 0))) b->set(indexArg(a, 1), argInt(a, 2));
        return {};
    });
    m.add("limn_byte_array_as_string", 1, [](rt::Args a) -> rt::Dynamic {
        ByteBuffer* b = ByteBuffer::from(arg(a, 0));
        if (!b) return std::string();
        return std::string(b->bytes().begin(), b->bytes().end());
    });
    // Copies into a plain buffer (rt::Bytes), an array of numbers or another native buffer.
    m.add("limn_byte_array_get_bytes", 2, [](rt::Args a) -> rt::Dynamic {
        ByteBuffer* b = ByteBuffer::from(arg(a, 0));
        if (!b) return {};
        if (auto* plain = arg(a, 1).handleAs<rt::Bytes>()) {
            const std::size_t n = std::min(plain->data.size(), b->size());
            std::copy_n(b->bytes().begin(), n, plain->data.begin());
        } else if (auto list = arg(a, 1).asArray()) {
            const std::size_t n = std::min(list->size(), b->size());
            for (std::size_t i = 0; i < n; ++i) (*list)[i] = static_cast<int>(b->bytes()[i]);
        } else if (ByteBuffer* to = ByteBuffer::from(arg(a, 1))) {
            const std::size_t n = std::min(to->size(), b->size());
            std::copy_n(b->bytes().begin(), n, to->bytes().begin());
        }
        return {};
    });
}

}  // namespace limn::sdl
