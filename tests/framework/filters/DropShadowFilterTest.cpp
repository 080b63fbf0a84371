#include "framework/filters/DropShadowFilter.h"

#include <gtest/gtest.h>

#include "runtime/Error.h"

namespace limn::filters {
namespace {

TEST(DropShadowFilter, StrengthComesBeforeQualityAmongTheArguments) {
    DropShadowFilter f(1, 2, 3, 0.5, 6, 7, 8.5, 9, true, false, true);
    EXPECT_EQ(f.strength, 8.5);
    EXPECT_EQ(f.quality, 9);
    EXPECT_TRUE(f.inner);
    EXPECT_FALSE(f.knockout);
    EXPECT_TRUE(f.hideObject);
}

TEST(DropShadowFilter, CloneCopiesEveryFieldIntoANewObject) {
    auto original = std::make_shared<DropShadowFilter>(4, 45, 0x112233, 1, 2, 8, 3, 2, true, true);
    auto copy = std::dynamic_pointer_cast<DropShadowFilter>(original->clone());
    ASSERT_NE(copy, nullptr) << "clone of a drop shadow must be a drop shadow";
    EXPECT_NE(copy.get(), original.get());
    EXPECT_EQ(copy->blurX, 2.0);
    EXPECT_EQ(copy->blurY, 8.0);
    EXPECT_EQ(copy->color, 0x112233);
    EXPECT_EQ(copy->strength, 3.0);
    EXPECT_EQ(copy->quality, 2);
    EXPECT_TRUE(copy->inner);
    EXPECT_TRUE(copy->knockout);
    EXPECT_FALSE(copy->hideObject);
    EXPECT_EQ(copy->type, "DropShadowFilter");
}

TEST(DropShadowFilter, ChangingTheOriginalLeavesTheCloneAlone) {
    DropShadowFilter original;
    auto copy = original.clone();
    original.color = 0xFF0000;
    EXPECT_EQ(copy->get("color"), rt::Dynamic(0));
}

TEST(DropShadowFilter, FieldsAreReadableByNameInOrder) {
    auto f = std::make_shared<DropShadowFilter>();
    f->set("blurY", 12.5);
    EXPECT_EQ(f->blurY, 12.5);
    EXPECT_EQ(f->get("type"), rt::Dynamic("DropShadowFilter"));
    std::vector<std::string> names;
    for (const auto& n : f->fieldNames()) names.push_back(n.str());
    EXPECT_EQ(names, (std::vector<std::string>{"type", "distance", "angle", "color", "alpha",
                                               "blurX", "blurY", "quality", "strength", "inner",
                                               "knockout", "hideObject"}));
}

TEST(BitmapFilter, BareFilterCannotBeCloned) {
    BitmapFilter f("Custom");
    EXPECT_EQ(f.type, "Custom");
    try {
        (void)f.clone();
        FAIL() << "clone of a bare filter must throw";
    } catch (const rt::Error& e) {
        EXPECT_STREQ(e.what(), "clone not implemented");
    }
}

TEST(BitmapFilter, CloneByNameDispatchesToTheKind) {
    auto f = std::make_shared<DropShadowFilter>(1.5);
    rt::Dynamic copy = f->callMethod("clone");
    auto shadow = copy.as<DropShadowFilter>();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->distance, 1.5);
}

}  // namespace
}  // namespace limn::filters
