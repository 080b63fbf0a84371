#include "framework/text/TextField.h"

#include <gtest/gtest.h>

#include "framework/text/TextFormatAlign.h"
#include "tests/support/BackendTest.h"

namespace limn::text {
namespace {

using Args = std::vector<rt::Dynamic>;

class TextFieldTest : public testing::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        field = std::make_shared<TextField>();
        backend.clearCalls();
    }

    Args lastArgs(const std::string& name) {
        const recording::Call* call = backend.last(name);
        if (call == nullptr) {
            ADD_FAILURE() << "no call to " << name;
            return {};
        }
        return call->args;
    }

    std::shared_ptr<TextField> field;
};

TEST_F(TextFieldTest, ConstructorMakesANativeTextField) {
    backend.reset();
    auto made = std::make_shared<TextField>();
    ASSERT_FALSE(backend.calls().empty());
    EXPECT_EQ(backend.calls().front().name, "limn_text_field_create");
    EXPECT_TRUE(backend.calls().front().args.empty());
    EXPECT_EQ(made->limnGetParent(), nullptr);
    EXPECT_EQ(made->limnHandle.handleAs<recording::RecordedHandle>()->madeBy,
              "limn_text_field_create");
}

TEST_F(TextFieldTest, EveryReadAsksTheBackendAgain) {
    field->limnSetText("SCORE: 10");
    EXPECT_EQ(field->limnGetText(), "SCORE: 10");
    EXPECT_EQ(field->limnGetText(), "SCORE: 10");
    EXPECT_EQ(backend.count("limn_text_field_get_text"), 2);
    EXPECT_EQ(lastArgs("limn_text_field_set_text"), (Args{field->limnHandle, "SCORE: 10"}));
}

TEST_F(TextFieldTest, SettersReturnTheValueGivenNotAReRead) {
    backend.answer("limn_text_field_set_text_color", 0);
    EXPECT_EQ(field->limnSetTextColor(0xFFFFFF), 0xFFFFFF);
    EXPECT_EQ(field->limnSetText("x"), "x");
    EXPECT_EQ(field->limnSetScrollV(3), 3);
    EXPECT_EQ(backend.count("limn_text_field_get_text_color"), 0);
}

TEST_F(TextFieldTest, SimplePropertiesRoundTripByName) {
    struct Case {
        const char* name;
        rt::Dynamic value;
    };
    const Case cases[] = {
        {"text", "hello"},       {"htmlText", "<b>hi</b>"},
        {"textColor", 0x123456}, {"selectable", true},
        {"multiline", true},     {"wordWrap", true},
        {"border", true},        {"borderColor", 0xFF00},
        {"background", true},    {"backgroundColor", 7},
        {"scrollH", 4},          {"scrollV", 2},
    };
    for (const auto& c : cases) {
        field->set(c.name, c.value);
        EXPECT_EQ(field->get(c.name), c.value) << c.name;
    }
}

TEST_F(TextFieldTest, GettersAndSettersAreCallableByName) {
    const rt::Dynamic text[] = {"by name"};
    EXPECT_EQ(field->callMethod("limnSetText", text), rt::Dynamic("by name"));
    EXPECT_EQ(field->callMethod("limnGetText"), rt::Dynamic("by name"));
    const rt::Dynamic wrap[] = {true};
    field->callMethod("limnSetWordWrap", wrap);
    EXPECT_EQ(field->callMethod("limnGetWordWrap"), rt::Dynamic(true));
    EXPECT_EQ(field->callMethod("limnGetTextWidth"), rt::Dynamic(0.0));
}

TEST_F(TextFieldTest, NullAnswersReadAsZeroFalseOrEmpty) {
    EXPECT_EQ(field->limnGetTextColor(), 0);
    EXPECT_EQ(field->limnGetTextWidth(), 0.0);
    EXPECT_EQ(field->limnGetTextHeight(), 0.0);
    EXPECT_FALSE(field->limnGetSelectable());
    EXPECT_EQ(field->limnGetText(), "");
    EXPECT_EQ(field->limnGetMaxScrollV(), 0);
}

TEST_F(TextFieldTest, ReadOnlyMeasuresComeFromTheBackend) {
    backend.answer("limn_text_field_get_text_width", 42.5);
    backend.answer("limn_text_field_get_max_scroll_h", 3);
    backend.answer("limn_text_field_get_bottom_scroll_v", 9);
    EXPECT_EQ(field->get("textWidth"), rt::Dynamic(42.5));
    EXPECT_EQ(field->get("maxScrollH"), rt::Dynamic(3));
    EXPECT_EQ(field->get("bottomScrollV"), rt::Dynamic(9));
}

TEST_F(TextFieldTest, TypeCrossesAsABool) {
    field->limnSetType(TextFieldType::INPUT);
    EXPECT_EQ(lastArgs("limn_text_field_set_type").at(1), rt::Dynamic(true));
    field->limnSetType(TextFieldType::DYNAMIC);
    EXPECT_EQ(lastArgs("limn_text_field_set_type").at(1), rt::Dynamic(false));

    backend.answer("limn_text_field_get_type", true);
    EXPECT_EQ(field->limnGetType(), TextFieldType::INPUT);
    backend.answer("limn_text_field_get_type", 1);
    EXPECT_EQ(field->limnGetType(), TextFieldType::DYNAMIC) << "only a true answer reads as INPUT";
    backend.answer("limn_text_field_get_type", rt::Dynamic());
    EXPECT_EQ(field->limnGetType(), TextFieldType::DYNAMIC);
}

TEST_F(TextFieldTest, EnumerationsByNameAcceptIndexOrText) {
    field->set("type", "TextFieldType.INPUT");
    EXPECT_EQ(lastArgs("limn_text_field_set_type").at(1), rt::Dynamic(true));
    EXPECT_EQ(field->get("type"), rt::Dynamic(1));
    field->set("autoSize", "LEFT");
    EXPECT_EQ(field->get("autoSize"), rt::Dynamic(1));
    const rt::Dynamic right[] = {3};
    EXPECT_EQ(field->callMethod("limnSetAutoSize", right), rt::Dynamic(3));
}

TEST_F(TextFieldTest, DefaultTextFormatReadIsANewObjectFilledInPlace) {
    backend.answerWith("limn_text_field_get_def_text_format", [](rt::Args args) {
        args[1].as<TextFormat>()->font = "Prelude";
        return rt::Dynamic();
    });
    auto first = field->limnGetDefTextFormat();
    auto second = field->limnGetDefTextFormat();
    EXPECT_NE(first, second) << "two reads give two objects";
    EXPECT_EQ(first->font, rt::Dynamic("Prelude"));
    EXPECT_TRUE(first->size.isNull()) << "fields the backend leaves alone stay null";
    EXPECT_EQ(lastArgs("limn_text_field_get_def_text_format").at(1), rt::Dynamic(second));
}

TEST_F(TextFieldTest, DefaultTextFormatWriteHandsTheObjectItself) {
    auto format = std::make_shared<TextFormat>("NeutraText-Book.otf", 40, 0xFFFFFF);
    format->align = TextFormatAlign::CENTER;
    EXPECT_EQ(field->limnSetDefTextFormat(format), format);
    EXPECT_EQ(lastArgs("limn_text_field_set_def_text_format"), (Args{field->limnHandle, format}));
    field->set("defaultTextFormat", format);
    EXPECT_EQ(backend.count("limn_text_field_set_def_text_format"), 2);
}

TEST_F(TextFieldTest, SetTextFormatDefaultsToTheWholeText) {
    auto format = std::make_shared<TextFormat>();
    field->setTextFormat(format);
    EXPECT_EQ(lastArgs("limn_text_field_set_text_format"),
              (Args{field->limnHandle, format, -1, -1}));
    field->setTextFormat(format, 2, 5);
    EXPECT_EQ(lastArgs("limn_text_field_set_text_format"), (Args{field->limnHandle, format, 2, 5}));
    const rt::Dynamic byName[] = {format};
    field->callMethod("setTextFormat", byName);
    EXPECT_EQ(lastArgs("limn_text_field_set_text_format"),
              (Args{field->limnHandle, format, -1, -1}))
        << "absent indices take their defaults by name too";
}

TEST_F(TextFieldTest, DisplayPropertiesStillWork) {
    field->set("x", 12);
    field->set("alpha", 0);
    EXPECT_EQ(backend.count("limn_display_object_set_x"), 1);
    EXPECT_EQ(backend.count("limn_display_object_set_alpha"), 1);
}

}  // namespace
}  // namespace limn::text
