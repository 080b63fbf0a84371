#include <fstream>

#include "backend/image/ByteBuffer.h"
#include "runtime/Bytes.h"
#include "tests/backend/BackendFixture.h"

namespace limn::sdl::testing {
namespace {

using ByteBuffers = BackendTest;

TEST_F(ByteBuffers, ReadFileHoldsTheWholeFile) {
    const std::string path = ::testing::TempDir() + "bytes.bin";
    std::ofstream(path, std::ios::binary) << "ABC\x01";
    auto b = call("limn_byte_array_read_file", path);
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(call("limn_byte_array_get_length", b).asInt(), 4);
    EXPECT_EQ(call("limn_byte_array_get", b, 1).asInt(), 'B');
    EXPECT_EQ(call("limn_byte_array_as_string", b).asString(), std::string("ABC\x01"));
}

TEST_F(ByteBuffers, MissingFileGivesNullHandle) {
    EXPECT_TRUE(call("limn_byte_array_read_file", ::testing::TempDir() + "nothing.bin").isNull());
}

TEST_F(ByteBuffers, ReadsPastTheEndGiveZeroAndWritesGrow) {
    auto b = call("limn_byte_array_create", nullptr);
    EXPECT_EQ(call("limn_byte_array_get_length", b).asInt(), 0);
    EXPECT_EQ(call("limn_byte_array_get", b, 5).asInt(), 0);
    EXPECT_EQ(call("limn_byte_array_get", b, -1).asInt(), 0);
    call("limn_byte_array_set", b, 3, 0x1FF);
    EXPECT_EQ(call("limn_byte_array_get_length", b).asInt(), 4);
    EXPECT_EQ(call("limn_byte_array_get", b, 3).asInt(), 0xFF);
    call("limn_byte_array_set", b, -2, 7);
    EXPECT_EQ(call("limn_byte_array_get_length", b).asInt(), 4);
}

TEST_F(ByteBuffers, BytesCopyIntoAPlainBuffer) {
    auto b = call("limn_byte_array_create", 3);
    call("limn_byte_array_set", b, 0, 9);
    call("limn_byte_array_set", b, 2, 7);
    auto plain = std::make_shared<rt::Bytes>(3);
    call("limn_byte_array_get_bytes", b, plain);
    EXPECT_EQ(plain->data, (std::vector<std::uint8_t>{9, 0, 7}));
}

TEST_F(ByteBuffers, NullHandleReadsAsEmpty) {
    EXPECT_EQ(call("limn_byte_array_get_length", nullptr).asInt(), 0);
    EXPECT_EQ(call("limn_byte_array_get", nullptr, 0).asInt(), 0);
}

}  // namespace
}  // namespace limn::sdl::testing
