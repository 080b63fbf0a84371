#include <gtest/gtest.h>

#include "framework/geom/ColorTransform.h"

namespace limn::geom {
namespace {

TEST(ColorTransform, DefaultsAreIdentity) {
    ColorTransform ct;
    EXPECT_EQ(ct.redMultiplier, 1);
    EXPECT_EQ(ct.greenMultiplier, 1);
    EXPECT_EQ(ct.blueMultiplier, 1);
    EXPECT_EQ(ct.alphaMultiplier, 1);
    EXPECT_EQ(ct.redOffset, 0);
    EXPECT_EQ(ct.alphaOffset, 0);
}

TEST(ColorTransform, ConstructorTakesRedGreenBlueAlphaOrder) {
    ColorTransform ct(0.1, 0.2, 0.3, 0.4, 1, 2, 3, 4);
    EXPECT_EQ(ct.redMultiplier, 0.1);
    EXPECT_EQ(ct.alphaMultiplier, 0.4);
    EXPECT_EQ(ct.redOffset, 1);
    EXPECT_EQ(ct.alphaOffset, 4);
}

TEST(ColorTransform, ConcatAddsMultipliersAndKeepsOffsets) {
    ColorTransform ct;
    ct.concat(ColorTransform());
    EXPECT_EQ(ct.redMultiplier, 2);
    EXPECT_EQ(ct.alphaMultiplier, 2);
    EXPECT_EQ(ct.redOffset, 0);

    ColorTransform shifted(0.5, 0.5, 0.5, 0.5, 10, 10, 10, 10);
    shifted.concat(ColorTransform(3, 4, 5, 6, 99, 99, 99, 99));
    EXPECT_EQ(shifted.redMultiplier, 3.5);
    EXPECT_EQ(shifted.greenMultiplier, 4.5);
    EXPECT_EQ(shifted.blueMultiplier, 5.5);
    EXPECT_EQ(shifted.alphaMultiplier, 6.5);
    EXPECT_EQ(shifted.blueOffset, 10) << "offsets must stay unchanged";
}

}  // namespace
}  // namespace limn::geom
