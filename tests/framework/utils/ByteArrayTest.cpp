#include "framework/utils/ByteArray.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "framework/utils/Endian.h"
#include "runtime/Error.h"
#include "tests/support/BackendTest.h"

namespace limn::utils {
namespace {

using recording::RecordingBackend;

// Models native buffers: bytes per handle, answering the byte-array primitives.
class ByteArrayTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        backend.answerWith("limn_byte_array_create", [this](rt::Args args) {
            rt::Handle h = backend.makeHandle("limn_byte_array_create");
            buffers[RecordingBackend::idOf(h)].resize(args[0].isNull() ? 0 : args[0].asInt());
            return rt::Dynamic(h);
        });
        backend.answerWith("limn_byte_array_get_length", [this](rt::Args args) {
            auto it = buffers.find(RecordingBackend::idOf(args[0]));
            return it == buffers.end() ? rt::Dynamic() : rt::Dynamic(int(it->second.size()));
        });
        backend.answerWith("limn_byte_array_get", [this](rt::Args args) {
            return rt::Dynamic(int(bytesOf(args[0]).at(args[1].asInt())));
        });
        backend.answerWith("limn_byte_array_set", [this](rt::Args args) {
            bytesOf(args[0]).at(args[1].asInt()) = static_cast<std::uint8_t>(args[2].asInt());
            return rt::Dynamic();
        });
    }

    std::vector<std::uint8_t>& bytesOf(const rt::Dynamic& handle) {
        return buffers[RecordingBackend::idOf(handle)];
    }

    std::shared_ptr<ByteArray> filled(std::vector<std::uint8_t> bytes) {
        auto array = std::make_shared<ByteArray>(int(bytes.size()));
        bytesOf(array->limnGetData()) = std::move(bytes);
        return array;
    }

    int lastSetIndex() { return backend.last("limn_byte_array_set")->args.at(1).asInt(); }

    std::map<int, std::vector<std::uint8_t>> buffers;
};

TEST_F(ByteArrayTest, ConstructorPassesSizeAsGivenAndStartsAtZero) {
    ByteArray sized(8);
    ByteArray unsized;
    auto calls = backend.callsTo("limn_byte_array_create");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args.at(0), rt::Dynamic(8));
    EXPECT_TRUE(calls[1].args.at(0).isNull()) << "no size must reach the backend as null";
    EXPECT_EQ(sized.position, 0);
    EXPECT_FALSE(sized.limnGetData().isNull());
}

TEST_F(ByteArrayTest, ReadFileWrapsTheFileHandleInAnEmptyBuffer) {
    rt::Handle file = backend.makeHandle("file");
    buffers[RecordingBackend::idOf(file)] = {1, 2, 3};
    backend.answer("limn_byte_array_read_file", file);

    auto array = ByteArray::readFile("images/Mole.png");

    EXPECT_EQ(backend.callNames(),
              (std::vector<std::string>{"limn_byte_array_read_file", "limn_byte_array_create"}));
    EXPECT_EQ(backend.last("limn_byte_array_read_file")->args.at(0),
              rt::Dynamic("images/Mole.png"));
    EXPECT_TRUE(backend.last("limn_byte_array_create")->args.at(0).isNull());
    EXPECT_EQ(array->limnGetData(), rt::Dynamic(file));
    EXPECT_EQ(array->limnGetLength(), 3);
    EXPECT_EQ(array->position, 0);
}

TEST_F(ByteArrayTest, ReadFileOfMissingFileGivesNullDataAndNoBytes) {
    auto array = ByteArray::readFile("missing.png");
    EXPECT_TRUE(array->limnGetData().isNull());
    EXPECT_EQ(array->limnGetLength(), 0);
    EXPECT_THROW(array->readByte(), rt::RangeError);
}

TEST_F(ByteArrayTest, EndianDefaultsToLittleAndOnlyBigEndianTextSetsBig) {
    ByteArray array;
    EXPECT_EQ(array.limnGetEndian(), "littleEndian");
    EXPECT_EQ(array.limnSetEndian(Endian::BIG_ENDIAN), "bigEndian");
    EXPECT_EQ(array.limnGetEndian(), "bigEndian");
    EXPECT_EQ(array.limnSetEndian("BIG"), "BIG") << "the setter returns what it was given";
    EXPECT_EQ(array.limnGetEndian(), "littleEndian");
    EXPECT_FALSE(array.get("bigEndian").asBool());
}

TEST_F(ByteArrayTest, EndianIsReachableByName) {
    ByteArray array;
    array.set("endian", "bigEndian");
    EXPECT_TRUE(array.get("bigEndian").asBool());
    EXPECT_EQ(array.get("endian"), rt::Dynamic("bigEndian"));
}

TEST_F(ByteArrayTest, ReadByteReadsAtPositionAndAdvances) {
    auto array = filled({7, 200});
    EXPECT_EQ(array->readByte(), 7);
    EXPECT_EQ(array->readUnsignedByte(), 200);
    EXPECT_EQ(array->position, 2);
    auto gets = backend.callsTo("limn_byte_array_get");
    ASSERT_EQ(gets.size(), 2u);
    EXPECT_EQ(gets[0].args.at(1), rt::Dynamic(0));
    EXPECT_EQ(gets[1].args.at(1), rt::Dynamic(1));
}

TEST_F(ByteArrayTest, ReadShortInBothByteOrders) {
    auto array = filled({0x12, 0x34});
    EXPECT_EQ(array->readShort(), 0x3412);
    array->position = 0;
    array->limnSetEndian(Endian::BIG_ENDIAN);
    EXPECT_EQ(array->readShort(), 0x1234);
    EXPECT_EQ(array->position, 2);
}

TEST_F(ByteArrayTest, ReadShortIsSigned) {
    auto array = filled({0xFF, 0xFF, 0x00, 0x80});
    EXPECT_EQ(array->readShort(), -1);
    EXPECT_EQ(array->readShort(), -32768);
    array->position = 0;
    array->limnSetEndian(Endian::BIG_ENDIAN);
    EXPECT_EQ(array->readShort(), -1);
    EXPECT_EQ(array->readShort(), 0x0080);
}

TEST_F(ByteArrayTest, ReadIntInBothByteOrders) {
    auto array = filled({0x01, 0x02, 0x03, 0x04});
    EXPECT_EQ(array->readInt(), 0x04030201);
    EXPECT_EQ(array->position, 4);
    array->position = 0;
    array->limnSetEndian(Endian::BIG_ENDIAN);
    EXPECT_EQ(array->readInt(), 0x01020304);
}

TEST_F(ByteArrayTest, ReadIntIsTwosComplement) {
    auto array = filled({0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
    EXPECT_EQ(array->readInt(), -2);
    EXPECT_EQ(array->readInt(), INT32_MIN);
}

TEST_F(ByteArrayTest, SignedBytesFromTheBackendAreTakenAsUnsigned) {
    auto array = filled({0, 0});
    for (int i = 0; i < 3; ++i) backend.answerOnce("limn_byte_array_get", -1);
    EXPECT_EQ(array->readByte(), 255);
    array->position = 0;
    EXPECT_EQ(array->readShort(), -1);
}

TEST_F(ByteArrayTest, ReadUTFBytesReadsCountBytesAsText) {
    auto array = filled({'h', 'i', '!', 0});
    EXPECT_EQ(array->readUTFBytes(2), "hi");
    EXPECT_EQ(array->position, 2);
    EXPECT_EQ(array->readUTFBytes(0), "");
}

TEST_F(ByteArrayTest, ReadPastTheEndThrowsAndKeepsPosition) {
    auto array = filled({1, 2, 3});
    array->position = 2;
    EXPECT_THROW(array->readShort(), rt::RangeError);
    EXPECT_EQ(array->position, 2) << "a failed read must not move the position";
    EXPECT_THROW(array->readInt(), rt::RangeError);
    EXPECT_EQ(array->readByte(), 3);
    EXPECT_THROW(array->readByte(), rt::RangeError);
    EXPECT_EQ(array->position, 3);
    EXPECT_EQ(backend.count("limn_byte_array_get"), 1) << "no read may reach past the end";
}

TEST_F(ByteArrayTest, ReadFromANegativePositionThrows) {
    auto array = filled({1, 2});
    array->position = -1;
    EXPECT_THROW(array->readByte(), rt::RangeError);
    EXPECT_EQ(backend.count("limn_byte_array_get"), 0);
}

TEST_F(ByteArrayTest, ReadUTFBytesRefusesNegativeOrTooLongCounts) {
    auto array = filled({'a', 'b'});
    EXPECT_THROW(array->readUTFBytes(-1), rt::RangeError);
    EXPECT_THROW(array->readUTFBytes(3), rt::RangeError);
    EXPECT_EQ(array->position, 0);
}

TEST_F(ByteArrayTest, RangeErrorNamesPositionAndLength) {
    auto array = filled({1});
    array->position = 1;
    try {
        (void)array->readByte();
        FAIL() << "expected a RangeError";
    } catch (const rt::RangeError& e) {
        EXPECT_STREQ(e.what(), "ByteArray: cannot read 1 byte(s) at position 1 of 1");
    }
}

TEST_F(ByteArrayTest, IndexAccessReadsAndWritesThroughTheBackend) {
    auto array = filled({0, 0, 0});
    array->__set(1, 0xAB);
    EXPECT_EQ(array->__get(1), 0xAB);
    EXPECT_EQ(bytesOf(array->limnGetData())[1], 0xAB);
    const recording::Call* set = backend.last("limn_byte_array_set");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->args.at(1), rt::Dynamic(1));
    EXPECT_EQ(set->args.at(2), rt::Dynamic(0xAB));
}

TEST_F(ByteArrayTest, IndexReadOutsideTheBufferThrows) {
    auto array = filled({0, 0});
    EXPECT_THROW((void)array->__get(2), rt::RangeError);
    EXPECT_THROW((void)array->__get(-1), rt::RangeError);
    EXPECT_EQ(backend.count("limn_byte_array_get"), 0);
}

TEST_F(ByteArrayTest, IndexWritePastTheEndIsLeftToTheBackendButNegativeThrows) {
    auto array = filled({0, 0});
    backend.answerWith("limn_byte_array_set", [](rt::Args) { return rt::Dynamic(); });
    array->__set(5, 1);
    EXPECT_EQ(lastSetIndex(), 5);
    EXPECT_THROW(array->__set(-1, 1), rt::RangeError);
    EXPECT_EQ(backend.count("limn_byte_array_set"), 1);
}

TEST_F(ByteArrayTest, LengthNullReadsAsZero) {
    ByteArray array;
    backend.answer("limn_byte_array_get_length", rt::Dynamic());
    EXPECT_EQ(array.limnGetLength(), 0);
    EXPECT_EQ(array.get("length"), rt::Dynamic(0));
}

TEST_F(ByteArrayTest, AsStringAsksTheBackendAndNullIsEmpty) {
    ByteArray array;
    backend.answerOnce("limn_byte_array_as_string", "abc");
    EXPECT_EQ(array.asString(), "abc");
    EXPECT_EQ(array.asString(), "");
    EXPECT_EQ(backend.last("limn_byte_array_as_string")->args.at(0), array.limnGetData());
}

TEST_F(ByteArrayTest, GetBytesCopiesIntoABufferOfTheLength) {
    auto array = filled({5, 6, 7});
    backend.answerWith("limn_byte_array_get_bytes", [](rt::Args args) {
        auto* out = args[1].handleAs<rt::Bytes>();
        for (std::size_t i = 0; out && i < out->length(); ++i) out->data[i] = std::uint8_t(i + 5);
        return rt::Dynamic();
    });
    auto bytes = array->getBytes();
    ASSERT_EQ(bytes->length(), 3u);
    EXPECT_EQ(bytes->data, (std::vector<std::uint8_t>{5, 6, 7}));
    EXPECT_EQ(backend.last("limn_byte_array_get_bytes")->args.at(0), array->limnGetData());
}

}  // namespace
}  // namespace limn::utils
