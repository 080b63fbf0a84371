#include "backend/image/ByteBuffer.h"

#include <cstdio>
#include <filesystem>

namespace limn::sdl {

std::shared_ptr<ByteBuffer> ByteBuffer::readFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
        if (n == 0) break;
        if (bytes.size() + n > kMaxSize) {
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    // A directory opens but reads with an error.
    if (std::ferror(f)) ok = false;
    std::fclose(f);
    if (!ok) return nullptr;
    return std::make_shared<ByteBuffer>(std::move(bytes));
}

std::string ByteBuffer::unreadable(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "no such file";
    if (!std::filesystem::is_regular_file(path, error)) return "not a regular file";
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxSize) return "the file is too large";
    return "the file could not be read";
}

int ByteBuffer::get(long long index) const {
    if (index < 0 || static_cast<unsigned long long>(index) >= bytes_.size()) return 0;
    return bytes_[static_cast<std::size_t>(index)];
}

void ByteBuffer::set(long long index, int value) {
    if (index < 0 || static_cast<unsigned long long>(index) >= kMaxSize) return;
    const auto i = static_cast<std::size_t>(index);
    if (i >= bytes_.size()) bytes_.resize(i + 1, 0);
    bytes_[i] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace limn::sdl
