#pragma once
// The native byte buffer behind a ByteArray handle. Reads past the end give
// 0; writes past the end grow the buffer (up to kMaxSize, beyond which they
// are dropped).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Dynamic.h"

namespace limn::sdl {

class ByteBuffer final : public rt::NativeObject {
public:
    static constexpr std::size_t kMaxSize = std::size_t{1} << 30;

    explicit ByteBuffer(std::vector<std::uint8_t> bytes = {}) : bytes_(std::move(bytes)) {}
    // The whole file, or nullptr when it can't be read or is larger than kMaxSize.
    static std::shared_ptr<ByteBuffer> readFile(const std::string& path);
    // Why readFile gave nothing for this path, in a few words ("no such file").
    [[nodiscard]] static std::string unreadable(const std::string& path);
    static ByteBuffer* from(const rt::Dynamic& handle) { return handle.handleAs<ByteBuffer>(); }

    [[nodiscard]] std::size_t size() const { return bytes_.size(); }
    [[nodiscard]] int get(long long index) const;
    void set(long long index, int value);
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    [[nodiscard]] std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace limn::sdl
