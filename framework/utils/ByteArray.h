#pragma once
// Front for a native byte buffer held by the backend. The framework keeps only
// the buffer's handle (`limnData`), a read position and a byte order; every
// access to the bytes is a primitive call.
//
// Reads are checked against the buffer's length: reading or indexing outside
// 0 .. length - 1 throws rt::RangeError and leaves `position` unchanged.
// Writing at or past the end grows the buffer; a negative index throws.
//
//   auto file = ByteArray::readFile("images/Mole.png");
//   file->limnSetEndian(Endian::BIG_ENDIAN);
//   int magic = file->readInt();

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Bytes.h"
#include "runtime/Object.h"

namespace limn::utils {

class ByteArray : public rt::Object {
public:
    RT_DECLARE_CLASS

    // Asks the backend for a new buffer of `size` bytes (null: the backend's default).
    explicit ByteArray(const rt::Dynamic& size = {});

    // The whole file as a buffer; a file that can't be read gives a buffer
    // whose `limnData` is what the backend answered (null), of length 0.
    static std::shared_ptr<ByteArray> readFile(const std::string& path);

    [[nodiscard]] rt::Dynamic limnGetData() const { return limnData; }
    [[nodiscard]] std::string asString() const;
    [[nodiscard]] int limnGetLength() const;

    // Index access, bytes[i].
    [[nodiscard]] int __get(int index) const;
    void __set(int index, int value);

    // Stream reads from `position`, which advances by the width read.
    int readByte();
    int readUnsignedByte();
    int readShort();
    int readInt();
    std::string readUTFBytes(int count);

    // A copy of the whole buffer.
    [[nodiscard]] std::shared_ptr<rt::Bytes> getBytes() const;

    [[nodiscard]] std::string limnGetEndian() const;
    std::string limnSetEndian(const std::string& value);

    int position = 0;  // the read cursor, a byte index

private:
    bool bigEndian = false;
    rt::Dynamic limnData;

    void requireReadable(int count) const;
    void requireIndex(int index) const;
    [[nodiscard]] int byteAt(int index) const;
};

}  // namespace limn::utils
