#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "runtime/EnumConvert.h"

namespace {

enum class Side { LOW = -1, MID = 0, HIGH = 1 };
enum class Mode { OFF = 0, ON = 1, AUTO = 2 };
inline constexpr std::array<std::string_view, 3> kModeNames = {"OFF", "ON", "AUTO"};

}  // namespace

template <>
struct rt::EnumValues<Side> {
    static constexpr int first = -1;
    static constexpr int last = 1;
    static constexpr OutOfRange outOfRange = OutOfRange::Keep;
};

template <>
struct rt::EnumValues<Mode> {
    static constexpr int first = 0;
    static constexpr int last = 2;
    static constexpr OutOfRange outOfRange = OutOfRange::First;
    static constexpr std::span<const std::string_view> names = kModeNames;
    static constexpr std::string_view prefix = "Mode.";
};

static_assert(!rt::ListedEnum<std::byte>, "only enumerations that list their values convert");

TEST(EnumConvert, KeptIntegersPassThroughAndTextReadsAsItsInteger) {
    EXPECT_EQ(rt::fromDynamic<Side>(-1), Side::LOW);
    EXPECT_EQ(rt::fromDynamic<Side>(nullptr), Side::MID);
    EXPECT_EQ(static_cast<int>(rt::fromDynamic<Side>(7)), 7);
    EXPECT_EQ(rt::fromDynamic<Side>("1"), Side::HIGH);
    EXPECT_EQ(rt::fromDynamic<Side>(1.9), Side::HIGH);
}

TEST(EnumConvert, CheckedIntegersAndNamesFallBackToTheFirstValue) {
    EXPECT_EQ(rt::fromDynamic<Mode>(2), Mode::AUTO);
    EXPECT_EQ(rt::fromDynamic<Mode>(3), Mode::OFF);
    EXPECT_EQ(rt::fromDynamic<Mode>(-1), Mode::OFF);
    EXPECT_EQ(rt::fromDynamic<Mode>("ON"), Mode::ON);
    EXPECT_EQ(rt::fromDynamic<Mode>("Mode.AUTO"), Mode::AUTO);
    EXPECT_EQ(rt::fromDynamic<Mode>("Mode.NOPE"), Mode::OFF);
    EXPECT_EQ(rt::fromDynamic<Mode>("2"), Mode::OFF);
}
