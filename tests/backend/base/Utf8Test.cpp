#include <glib.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "backend/base/Utf8.h"

namespace {

using namespace limn::sdl;

// Each kind of bad input, rejected alike wherever the backend decodes.
TEST(Utf8, RejectsOverlongSurrogateOutOfRangeAndBrokenSequencesAlike) {
    const std::u32string bad = U"\uFFFD";
    EXPECT_EQ(utf8::decode("\xC0\x80"), U"\uFFFD\uFFFD");  // overlong NUL, 2 bytes
    EXPECT_EQ(utf8::decode("\xE0\x80\x80"), bad);          // overlong, 3 bytes
    EXPECT_EQ(utf8::decode("\xF0\x80\x80\x80"), bad);      // overlong, 4 bytes
    EXPECT_EQ(utf8::decode("\xED\xA0\x80"), bad);          // a surrogate
    EXPECT_EQ(utf8::decode("\xF4\x90\x80\x80"), bad);      // above U+10FFFF
    EXPECT_EQ(utf8::decode("\xE2\x82"
                           "A"),
              bad + U"A");  // continuation missing
    EXPECT_EQ(utf8::decode("\x82"
                           "A"),
              bad + U"A");                                 // stray continuation
    EXPECT_EQ(utf8::decode("A\xE2\x82"), U"A" + bad);      // cut short at the end
    EXPECT_EQ(utf8::decode("\xF5\x80"), U"\uFFFD\uFFFD");  // no such lead byte
    EXPECT_EQ(utf8::decode("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"a\u00E9\u20AC\U0001F600");

    std::size_t i = 0;
    EXPECT_FALSE(utf8::next("\xE2\x82"
                            "A",
                            i)
                     .has_value());
    EXPECT_EQ(i, 2u);
    EXPECT_EQ(utf8::encode(U"\U0001F600\xD800"), "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

// Random bytes: repairing always yields valid UTF-8, agrees with decoding then
// encoding, leaves valid text alone and decodes it as GLib does.
TEST(Utf8, RandomBytesRepairToValidTextThatDecodesAsGLibDoes) {
    std::mt19937 random(15);
    const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC2, 0xDF, 0xE0,
                                         0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 0xA0, 0x9F};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 12, '\0');
        for (char& b : bytes) {
            b = static_cast<char>(random() % 2 ? random() % 256
                                               : interesting[random() % sizeof interesting]);
        }
        const std::string fixed = utf8::repaired(bytes);
        ASSERT_EQ(utf8::encode(utf8::decode(bytes)), fixed);
        ASSERT_EQ(utf8::repaired(fixed), fixed);
        // GLib stops at a NUL; it is a valid character here.
        if (fixed.find('\0') != std::string::npos) continue;
        ASSERT_TRUE(g_utf8_validate(fixed.data(), static_cast<gssize>(fixed.size()), nullptr));
        glong count = 0;
        gunichar* wide = g_utf8_to_ucs4(fixed.data(), static_cast<glong>(fixed.size()), nullptr,
                                        &count, nullptr);
        if (wide) {
            EXPECT_EQ(utf8::decode(fixed), std::u32string(wide, wide + count));
            g_free(wide);
        }
    }
}

}  // namespace
