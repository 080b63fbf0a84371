#pragma once
// A plain byte buffer of the standard library: a length and a data array held
// by the program, not by the backend. It crosses to the backend as a native
// handle; the backend reads it with `handleAs<rt::Bytes>()` and reads or
// writes `data` in place without resizing it.
//
//   auto buffer = std::make_shared<rt::Bytes>(16);
//   somePrimitive(handle, buffer);  // the backend fills buffer->data

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/Dynamic.h"

namespace rt {

struct Bytes : NativeObject {
    explicit Bytes(std::size_t length = 0) : data(length) {}
    explicit Bytes(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {}

    [[nodiscard]] std::size_t length() const { return data.size(); }

    std::vector<std::uint8_t> data;
};

}  // namespace rt
