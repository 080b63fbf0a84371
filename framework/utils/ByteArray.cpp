#include "framework/utils/ByteArray.h"

#include <algorithm>

#include "framework/utils/Endian.h"
#include "native/Call.h"
#include "runtime/Error.h"

namespace limn::utils {

namespace {

const native::Call<native::wire::limn_byte_array_create> createBuffer;
const native::Call<native::wire::limn_byte_array_read_file> readWholeFile;
const native::Call<native::wire::limn_byte_array_get_length> lengthOf;
const native::Call<native::wire::limn_byte_array_get> byteGet;
const native::Call<native::wire::limn_byte_array_set> byteSet;
const native::Call<native::wire::limn_byte_array_as_string> bufferAsText;
const native::Call<native::wire::limn_byte_array_get_bytes> copyBytesOut;

}  // namespace

const rt::ClassInfo& ByteArray::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.utils.ByteArray", &rt::Object::staticClass())
            .field<&ByteArray::bigEndian>("bigEndian")
            .field<&ByteArray::position>("position")
            .field<&ByteArray::limnData>("limnData")
            .property<&ByteArray::limnGetLength>("length")
            .property<&ByteArray::limnGetEndian, &ByteArray::limnSetEndian>("endian")
            .method<&ByteArray::limnGetData>("limnGetData")
            .method<&ByteArray::asString>("asString")
            .method<&ByteArray::limnGetLength>("limnGetLength")
            .method<&ByteArray::__get>("__get")
            .method<&ByteArray::__set>("__set")
            .method<&ByteArray::getBytes>("getBytes")
            .method<&ByteArray::readByte>("readByte")
            .method<&ByteArray::readInt>("readInt")
            .method<&ByteArray::readShort>("readShort")
            .method<&ByteArray::readUnsignedByte>("readUnsignedByte")
            .method<&ByteArray::readUTFBytes>("readUTFBytes")
            .method<&ByteArray::limnGetEndian>("limnGetEndian")
            .method<&ByteArray::limnSetEndian>("limnSetEndian");
    return info;
}

ByteArray::ByteArray(const rt::Dynamic& size) : limnData(createBuffer({.size = size})) {}

std::shared_ptr<ByteArray> ByteArray::readFile(const std::string& path) {
    rt::Dynamic handle = readWholeFile({.path = path});
    auto result = std::make_shared<ByteArray>();
    result->limnData = handle;
    return result;
}

std::string ByteArray::asString() const {
    return bufferAsText({.bytes = limnData});
}

int ByteArray::limnGetLength() const {
    return lengthOf({.bytes = limnData}).asInt();
}

int ByteArray::__get(int index) const {
    requireIndex(index);
    return byteGet({.bytes = limnData, .index = index});
}

void ByteArray::__set(int index, int value) {
    // Writing past the end grows the backend's buffer; only negative indices are refused.
    if (index < 0) throw rt::RangeError("ByteArray: negative index " + std::to_string(index));
    byteSet({.bytes = limnData, .index = index, .value = value});
}

int ByteArray::readByte() {
    requireReadable(1);
    return byteAt(position++);
}

int ByteArray::readUnsignedByte() {
    return readByte();
}

int ByteArray::readShort() {
    requireReadable(2);
    int a = byteAt(position++);
    int b = byteAt(position++);
    int n = bigEndian ? (b | a << 8) : (a | b << 8);
    return (n & 0x8000) ? n - 0x10000 : n;
}

int ByteArray::readInt() {
    requireReadable(4);
    std::uint32_t a = byteAt(position++);
    std::uint32_t b = byteAt(position++);
    std::uint32_t c = byteAt(position++);
    std::uint32_t d = byteAt(position++);
    std::uint32_t n =
        bigEndian ? (d | c << 8 | b << 16 | a << 24) : (a | b << 8 | c << 16 | d << 24);
    return static_cast<std::int32_t>(n);
}

std::string ByteArray::readUTFBytes(int count) {
    if (count < 0) throw rt::RangeError("ByteArray: negative byte count " + std::to_string(count));
    requireReadable(count);
    std::string text;
    text.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) text.push_back(static_cast<char>(byteAt(position++)));
    return text;
}

std::shared_ptr<rt::Bytes> ByteArray::getBytes() const {
    auto bytes =
        std::make_shared<rt::Bytes>(static_cast<std::size_t>(std::max(0, limnGetLength())));
    copyBytesOut({.bytes = limnData, .into = bytes});
    return bytes;
}

std::string ByteArray::limnGetEndian() const {
    return bigEndian ? Endian::BIG_ENDIAN : Endian::LITTLE_ENDIAN;
}

std::string ByteArray::limnSetEndian(const std::string& value) {
    bigEndian = value == Endian::BIG_ENDIAN;
    return value;
}

// The backend's buffer is fixed in size: a read past its end would read memory
// that isn't there, so every read is checked against the length first.
void ByteArray::requireReadable(int count) const {
    int length = limnGetLength();
    if (position < 0 || position > length || count > length - position) {
        throw rt::RangeError("ByteArray: cannot read " + std::to_string(count) +
                             " byte(s) at position " + std::to_string(position) + " of " +
                             std::to_string(length));
    }
}

void ByteArray::requireIndex(int index) const {
    int length = limnGetLength();
    if (index < 0 || index >= length) {
        throw rt::RangeError("ByteArray: index " + std::to_string(index) +
                             " out of bounds for length " + std::to_string(length));
    }
}

int ByteArray::byteAt(int index) const {
    return byteGet({.bytes = limnData, .index = index}) & 0xFF;
}

}  // namespace limn::utils
