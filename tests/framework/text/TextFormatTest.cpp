#include "framework/text/TextFormat.h"

#include <gtest/gtest.h>

#include "framework/text/TextFieldAutoSize.h"
#include "framework/text/TextFieldType.h"
#include "framework/text/TextFormatAlign.h"

namespace limn::text {
namespace {

TEST(TextFormat, FontSizeAndColourLeaveEveryOtherFieldNull) {
    auto f = std::make_shared<TextFormat>("/usr/share/fonts/Prelude-Bold.ttf", 15, 0xFFFFFF);
    EXPECT_EQ(f->font, rt::Dynamic("/usr/share/fonts/Prelude-Bold.ttf"));
    EXPECT_EQ(f->size, rt::Dynamic(15));
    EXPECT_EQ(f->color, rt::Dynamic(0xFFFFFF));
    for (const auto& name : f->fieldNames()) {
        if (name.str() == "font" || name.str() == "size" || name.str() == "color") continue;
        EXPECT_TRUE(f->get(name).isNull()) << name.str() << " should start null";
    }
}

TEST(TextFormat, ConstructorStoresThirteenArgumentsInOrder) {
    TextFormat f("f", 1, 2, true, false, true, "u", "t", TextFormatAlign::RIGHT, 3, 4, 5, 6);
    EXPECT_EQ(f.url, rt::Dynamic("u"));
    EXPECT_EQ(f.target, rt::Dynamic("t"));
    EXPECT_EQ(f.align, rt::Dynamic("right"));
    EXPECT_EQ(f.leftMargin, rt::Dynamic(3));
    EXPECT_EQ(f.rightMargin, rt::Dynamic(4));
    EXPECT_EQ(f.indent, rt::Dynamic(5));
    EXPECT_EQ(f.leading, rt::Dynamic(6));
    EXPECT_TRUE(f.blockIndent.isNull());
    EXPECT_TRUE(f.tabStops.isNull());
}

TEST(TextFormat, AllNineteenFieldsAreReachableByName) {
    auto f = std::make_shared<TextFormat>();
    EXPECT_EQ(f->fieldNames().size(), 19u);
    f->set("letterSpacing", 1.5);
    f->set("tabStops", rt::array({10, 20}));
    EXPECT_EQ(f->letterSpacing, rt::Dynamic(1.5));
    ASSERT_TRUE(f->tabStops.isArray());
    EXPECT_EQ(f->tabStops.asArray()->size(), 2u);
}

TEST(TextFormatAlign, TextsAreTheLowerCaseNames) {
    EXPECT_STREQ(TextFormatAlign::LEFT, "left");
    EXPECT_STREQ(TextFormatAlign::RIGHT, "right");
    EXPECT_STREQ(TextFormatAlign::CENTER, "center");
    EXPECT_STREQ(TextFormatAlign::JUSTIFY, "justify");
}

TEST(TextEnumerations, IndicesFollowTheDeclaredOrder) {
    EXPECT_EQ(static_cast<int>(TextFieldAutoSize::CENTER), 0);
    EXPECT_EQ(static_cast<int>(TextFieldAutoSize::LEFT), 1);
    EXPECT_EQ(static_cast<int>(TextFieldAutoSize::NONE), 2);
    EXPECT_EQ(static_cast<int>(TextFieldAutoSize::RIGHT), 3);
    EXPECT_EQ(static_cast<int>(TextFieldType::DYNAMIC), 0);
    EXPECT_EQ(static_cast<int>(TextFieldType::INPUT), 1);
}

TEST(TextEnumerations, WriteThemselvesWithTheirTypeName) {
    EXPECT_EQ(toString(TextFieldAutoSize::NONE), "TextFieldAutoSize.NONE");
    EXPECT_EQ(toString(TextFieldType::INPUT), "TextFieldType.INPUT");
}

TEST(TextEnumerations, ConvertFromIndexNameOrFullText) {
    EXPECT_EQ(rt::fromDynamic<TextFieldAutoSize>(3), TextFieldAutoSize::RIGHT);
    EXPECT_EQ(rt::fromDynamic<TextFieldAutoSize>("LEFT"), TextFieldAutoSize::LEFT);
    EXPECT_EQ(rt::fromDynamic<TextFieldAutoSize>("TextFieldAutoSize.NONE"),
              TextFieldAutoSize::NONE);
    EXPECT_EQ(rt::fromDynamic<TextFieldAutoSize>(rt::Dynamic()), TextFieldAutoSize::CENTER);
    EXPECT_EQ(rt::fromDynamic<TextFieldAutoSize>(99), TextFieldAutoSize::CENTER);
    EXPECT_EQ(rt::fromDynamic<TextFieldType>(true), TextFieldType::INPUT);
    EXPECT_EQ(rt::fromDynamic<TextFieldType>("bogus"), TextFieldType::DYNAMIC);
}

}  // namespace
}  // namespace limn::text
