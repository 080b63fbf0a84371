#include "framework/text/TextField.h"

#include "native/Call.h"

namespace limn::text {

namespace {

const native::Call<native::wire::limn_text_field_create> tfCreate;
const native::Call<native::wire::limn_text_field_set_text_format> tfApplyFormat;
const native::Call<native::wire::limn_text_field_get_text> tfGetText;
const native::Call<native::wire::limn_text_field_set_text> tfSetText;
const native::Call<native::wire::limn_text_field_get_html_text> tfGetHTMLText;
const native::Call<native::wire::limn_text_field_set_html_text> tfSetHTMLText;
const native::Call<native::wire::limn_text_field_get_text_color> tfGetTextColor;
const native::Call<native::wire::limn_text_field_set_text_color> tfSetTextColor;
const native::Call<native::wire::limn_text_field_get_selectable> tfGetSelectable;
const native::Call<native::wire::limn_text_field_set_selectable> tfSetSelectable;
const native::Call<native::wire::limn_text_field_get_multiline> tfGetMultiline;
const native::Call<native::wire::limn_text_field_set_multiline> tfSetMultiline;
const native::Call<native::wire::limn_text_field_get_word_wrap> tfGetWordWrap;
const native::Call<native::wire::limn_text_field_set_word_wrap> tfSetWordWrap;
const native::Call<native::wire::limn_text_field_get_border> tfGetBorder;
const native::Call<native::wire::limn_text_field_set_border> tfSetBorder;
const native::Call<native::wire::limn_text_field_get_border_color> tfGetBorderColor;
const native::Call<native::wire::limn_text_field_set_border_color> tfSetBorderColor;
const native::Call<native::wire::limn_text_field_get_background> tfGetBackground;
const native::Call<native::wire::limn_text_field_set_background> tfSetBackground;
const native::Call<native::wire::limn_text_field_get_background_color> tfGetBackgroundColor;
const native::Call<native::wire::limn_text_field_set_background_color> tfSetBackgroundColor;
const native::Call<native::wire::limn_text_field_get_text_width> tfGetTextWidth;
const native::Call<native::wire::limn_text_field_get_text_height> tfGetTextHeight;
const native::Call<native::wire::limn_text_field_get_max_scroll_v> tfGetMaxScrollV;
const native::Call<native::wire::limn_text_field_get_max_scroll_h> tfGetMaxScrollH;
const native::Call<native::wire::limn_text_field_get_bottom_scroll_v> tfGetBottomScrollV;
const native::Call<native::wire::limn_text_field_get_scroll_h> tfGetScrollH;
const native::Call<native::wire::limn_text_field_set_scroll_h> tfSetScrollH;
const native::Call<native::wire::limn_text_field_get_scroll_v> tfGetScrollV;
const native::Call<native::wire::limn_text_field_set_scroll_v> tfSetScrollV;
const native::Call<native::wire::limn_text_field_get_type> tfGetType;
const native::Call<native::wire::limn_text_field_set_type> tfSetType;
const native::Call<native::wire::limn_text_field_get_auto_size> tfGetAutoSize;
const native::Call<native::wire::limn_text_field_set_auto_size> tfSetAutoSize;
const native::Call<native::wire::limn_text_field_get_def_text_format> tfGetDefTextFormat;
const native::Call<native::wire::limn_text_field_set_def_text_format> tfSetDefTextFormat;

}  // namespace

// Every property of the list, and its getter and setter as methods by name.
#define BIND_RW_AND_METHODS(name, Name, Type)          \
    RT_BIND_RW(name, Name, Type)                       \
        .method<&Self::limnGet##Name>("limnGet" #Name) \
        .method<&Self::limnSet##Name>("limnSet" #Name)
#define BIND_RO_AND_METHOD(name, Name) \
    RT_BIND_RO(name, Name).method<&Self::limnGet##Name>("limnGet" #Name)

const rt::ClassInfo& TextField::staticClass() {
    using Self = TextField;
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.text.TextField", &display::InteractiveObject::staticClass())
            LIMN_TEXT_FIELD_PROPERTIES(BIND_RW_AND_METHODS, BIND_RO_AND_METHOD)
                .property<&TextField::byNameGetType, &TextField::byNameSetType>("type")
                .method<&TextField::byNameGetType>("limnGetType")
                .method<&TextField::byNameSetType>("limnSetType")
                .property<&TextField::byNameGetAutoSize, &TextField::byNameSetAutoSize>("autoSize")
                .method<&TextField::byNameGetAutoSize>("limnGetAutoSize")
                .method<&TextField::byNameSetAutoSize>("limnSetAutoSize")
                .property<&TextField::limnGetDefTextFormat, &TextField::limnSetDefTextFormat>(
                    "defaultTextFormat")
                .method<&TextField::limnGetDefTextFormat>("limnGetDefTextFormat")
                .method<&TextField::limnSetDefTextFormat>("limnSetDefTextFormat")
                .method<&TextField::setTextFormat>("setTextFormat");
    return info;
}

TextField::TextField() : InteractiveObject(tfCreate()) {}

std::shared_ptr<TextField> TextField::withText(const std::string& text,
                                               const TextFormat::Options& format) {
    auto field = std::make_shared<TextField>();
    field->limnSetDefTextFormat(TextFormat::make(format));
    field->limnSetAutoSize(TextFieldAutoSize::LEFT);
    field->limnSetText(text);
    return field;
}

void TextField::setTextFormat(const std::shared_ptr<TextFormat>& format,
                              std::optional<int> beginIndex, std::optional<int> endIndex) {
    tfApplyFormat({.field = limnHandle,
                   .format = format,
                   .beginIndex = beginIndex.value_or(-1),
                   .endIndex = endIndex.value_or(-1)});
}

std::string TextField::limnGetText() const {
    return tfGetText({.field = limnHandle});
}

std::string TextField::limnSetText(const std::string& value) {
    tfSetText({.field = limnHandle, .value = value});
    return value;
}

std::string TextField::limnGetHTMLText() const {
    return tfGetHTMLText({.field = limnHandle});
}

std::string TextField::limnSetHTMLText(const std::string& value) {
    tfSetHTMLText({.field = limnHandle, .value = value});
    return value;
}

int TextField::limnGetTextColor() const {
    return tfGetTextColor({.field = limnHandle});
}

int TextField::limnSetTextColor(int value) {
    tfSetTextColor({.field = limnHandle, .value = value});
    return value;
}

bool TextField::limnGetSelectable() const {
    return tfGetSelectable({.field = limnHandle});
}

bool TextField::limnSetSelectable(bool value) {
    tfSetSelectable({.field = limnHandle, .value = value});
    return value;
}

bool TextField::limnGetMultiline() const {
    return tfGetMultiline({.field = limnHandle});
}

bool TextField::limnSetMultiline(bool value) {
    tfSetMultiline({.field = limnHandle, .value = value});
    return value;
}

bool TextField::limnGetWordWrap() const {
    return tfGetWordWrap({.field = limnHandle});
}

bool TextField::limnSetWordWrap(bool value) {
    tfSetWordWrap({.field = limnHandle, .value = value});
    return value;
}

bool TextField::limnGetBorder() const {
    return tfGetBorder({.field = limnHandle});
}

bool TextField::limnSetBorder(bool value) {
    tfSetBorder({.field = limnHandle, .value = value});
    return value;
}

int TextField::limnGetBorderColor() const {
    return tfGetBorderColor({.field = limnHandle});
}

int TextField::limnSetBorderColor(int value) {
    tfSetBorderColor({.field = limnHandle, .value = value});
    return value;
}

bool TextField::limnGetBackground() const {
    return tfGetBackground({.field = limnHandle});
}

bool TextField::limnSetBackground(bool value) {
    tfSetBackground({.field = limnHandle, .value = value});
    return value;
}

int TextField::limnGetBackgroundColor() const {
    return tfGetBackgroundColor({.field = limnHandle});
}

int TextField::limnSetBackgroundColor(int value) {
    tfSetBackgroundColor({.field = limnHandle, .value = value});
    return value;
}

double TextField::limnGetTextWidth() const {
    return tfGetTextWidth({.field = limnHandle});
}

double TextField::limnGetTextHeight() const {
    return tfGetTextHeight({.field = limnHandle});
}

int TextField::limnGetMaxScrollV() const {
    return tfGetMaxScrollV({.field = limnHandle});
}

int TextField::limnGetMaxScrollH() const {
    return tfGetMaxScrollH({.field = limnHandle});
}

int TextField::limnGetBottomScrollV() const {
    return tfGetBottomScrollV({.field = limnHandle});
}

int TextField::limnGetScrollH() const {
    return tfGetScrollH({.field = limnHandle});
}

int TextField::limnSetScrollH(int value) {
    tfSetScrollH({.field = limnHandle, .value = value});
    return value;
}

int TextField::limnGetScrollV() const {
    return tfGetScrollV({.field = limnHandle});
}

int TextField::limnSetScrollV(int value) {
    tfSetScrollV({.field = limnHandle, .value = value});
    return value;
}

TextFieldType TextField::limnGetType() const {
    // Only a true answer reads as INPUT.
    return tfGetType.asCrossed({.field = limnHandle}) == rt::Dynamic(true) ? TextFieldType::INPUT
                                                                           : TextFieldType::DYNAMIC;
}

TextFieldType TextField::limnSetType(TextFieldType value) {
    tfSetType({.field = limnHandle, .input = value == TextFieldType::INPUT});
    return value;
}

TextFieldAutoSize TextField::limnGetAutoSize() const {
    return rt::fromDynamic<TextFieldAutoSize>(tfGetAutoSize({.field = limnHandle}));
}

TextFieldAutoSize TextField::limnSetAutoSize(TextFieldAutoSize value) {
    tfSetAutoSize({.field = limnHandle, .value = static_cast<int>(value)});
    return value;
}

std::shared_ptr<TextFormat> TextField::limnGetDefTextFormat() const {
    auto format = std::make_shared<TextFormat>();
    tfGetDefTextFormat({.field = limnHandle, .into = format});
    return format;
}

std::shared_ptr<TextFormat> TextField::limnSetDefTextFormat(
    const std::shared_ptr<TextFormat>& format) {
    tfSetDefTextFormat({.field = limnHandle, .format = format});
    return format;
}

int TextField::byNameGetType() const {
    return static_cast<int>(limnGetType());
}

int TextField::byNameSetType(TextFieldType value) {
    return static_cast<int>(limnSetType(value));
}

int TextField::byNameGetAutoSize() const {
    return static_cast<int>(limnGetAutoSize());
}

int TextField::byNameSetAutoSize(TextFieldAutoSize value) {
    return static_cast<int>(limnSetAutoSize(value));
}

}  // namespace limn::text
