// The text field primitives: "limn_text_field_*". A text field's handle is
// its TextFieldNode, a display object like any other. Colours are 0xRRGGBB;
// sizes pixels; the type crosses as a bool (true: input); auto-size as its
// index (0 centre, 1 left, 2 none, 3 right).
#include "backend/primitives/Primitives.h"
#include "backend/text/TextFieldNode.h"
#include "backend/text/TextPatch.h"

namespace limn::sdl {

namespace {

namespace wire = native::wire;
using native::handle;

// Registers the setter P; the field lays itself out again after any set.
template <class P>
constexpr void setter(auto& module, void (*set)(TextFieldNode&, const typename P::Args&)) {
    handle<P>(module, [set](TextFieldNode& field, const typename P::Args& a) {
        set(field, a);
        field.changed();
    });
}

std::uint32_t rgb(const rt::Dynamic& v, std::uint32_t fallback) {
    return TextPatch::rgbOf(v).value_or(fallback);
}

std::string textOf(const rt::Dynamic& v) {
    return v.isNull() ? "" : v.asString();
}

constexpr void addStrings(auto& m) {
    handle<wire::limn_text_field_get_text>(m, [](TextFieldNode& f) { return f.text(); });
    setter<wire::limn_text_field_set_text>(
        m, [](TextFieldNode& f, const auto& a) { f.setText(textOf(a.value)); });
    handle<wire::limn_text_field_get_html_text>(m, [](TextFieldNode& f) { return f.htmlText(); });
    setter<wire::limn_text_field_set_html_text>(
        m, [](TextFieldNode& f, const auto& a) { f.setHtmlText(textOf(a.value)); });
}

constexpr void addFlags(auto& m) {
    handle<wire::limn_text_field_get_selectable>(m, [](TextFieldNode& f) { return f.selectable; });
    setter<wire::limn_text_field_set_selectable>(
        m, [](TextFieldNode& f, const auto& a) { f.selectable = a.value; });
    handle<wire::limn_text_field_get_type>(m, [](TextFieldNode& f) { return f.input(); });
    setter<wire::limn_text_field_set_type>(
        m, [](TextFieldNode& f, const auto& a) { f.setInput(a.input); });
    handle<wire::limn_text_field_get_multiline>(m, [](TextFieldNode& f) { return f.multiline(); });
    setter<wire::limn_text_field_set_multiline>(
        m, [](TextFieldNode& f, const auto& a) { f.setMultiline(a.value); });
    handle<wire::limn_text_field_get_word_wrap>(m, [](TextFieldNode& f) { return f.wordWrap(); });
    setter<wire::limn_text_field_set_word_wrap>(
        m, [](TextFieldNode& f, const auto& a) { f.setWordWrap(a.value); });
    handle<wire::limn_text_field_get_auto_size>(m, [](TextFieldNode& f) { return f.autoSize(); });
    setter<wire::limn_text_field_set_auto_size>(
        m, [](TextFieldNode& f, const auto& a) { f.setAutoSize(a.value); });
    handle<wire::limn_text_field_get_border>(m, [](TextFieldNode& f) { return f.border; });
    setter<wire::limn_text_field_set_border>(
        m, [](TextFieldNode& f, const auto& a) { f.border = a.value; });
    handle<wire::limn_text_field_get_background>(m, [](TextFieldNode& f) { return f.background; });
    setter<wire::limn_text_field_set_background>(
        m, [](TextFieldNode& f, const auto& a) { f.background = a.value; });
}

constexpr void addColours(auto& m) {
    handle<wire::limn_text_field_get_text_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.textColor()); });
    setter<wire::limn_text_field_set_text_color>(
        m, [](TextFieldNode& f, const auto& a) { f.setTextColor(rgb(a.value, 0)); });
    handle<wire::limn_text_field_get_border_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.borderColor); });
    setter<wire::limn_text_field_set_border_color>(
        m, [](TextFieldNode& f, const auto& a) { f.borderColor = rgb(a.value, 0); });
    handle<wire::limn_text_field_get_background_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.backgroundColor); });
    setter<wire::limn_text_field_set_background_color>(
        m, [](TextFieldNode& f, const auto& a) { f.backgroundColor = rgb(a.value, 0xFFFFFF); });
}

constexpr void addMeasures(auto& m) {
    handle<wire::limn_text_field_get_text_width>(m, [](TextFieldNode& f) { return f.textWidth(); });
    handle<wire::limn_text_field_get_text_height>(m,
                                                  [](TextFieldNode& f) { return f.textHeight(); });
    handle<wire::limn_text_field_get_max_scroll_v>(m,
                                                   [](TextFieldNode& f) { return f.maxScrollV(); });
    handle<wire::limn_text_field_get_max_scroll_h>(m,
                                                   [](TextFieldNode& f) { return f.maxScrollH(); });
    handle<wire::limn_text_field_get_bottom_scroll_v>(
        m, [](TextFieldNode& f) { return f.bottomScrollV(); });
    handle<wire::limn_text_field_get_scroll_v>(m, [](TextFieldNode& f) { return f.scrollV(); });
    setter<wire::limn_text_field_set_scroll_v>(
        m, [](TextFieldNode& f, const auto& a) { f.setScrollV(a.value); });
    handle<wire::limn_text_field_get_scroll_h>(m, [](TextFieldNode& f) { return f.scrollH(); });
    setter<wire::limn_text_field_set_scroll_h>(
        m, [](TextFieldNode& f, const auto& a) { f.setScrollH(a.value); });
}

constexpr void addFormats(auto& m) {
    handle<wire::limn_text_field_create>(
        m, []() -> rt::Dynamic { return std::make_shared<TextFieldNode>(); });
    handle<wire::limn_text_field_get_def_text_format>(
        m, [](TextFieldNode& f, const auto& a) { TextPatch::toRecord(f.defaultFormat(), a.into); });
    handle<wire::limn_text_field_set_def_text_format>(m, [](TextFieldNode& f, const auto& a) {
        f.setDefaultFormat(TextPatch::fromRecord(a.format));
    });
    handle<wire::limn_text_field_set_text_format>(m, [](TextFieldNode& f, const auto& a) {
        f.setTextFormat(TextPatch::fromRecord(a.format),
                        a.beginIndex.isNull() ? -1 : a.beginIndex.asInt(),
                        a.endIndex.isNull() ? -1 : a.endIndex.asInt());
    });
}

}  // namespace

namespace {

constexpr void handleTextPart(auto& module) {
    addFormats(module);
    addStrings(module);
    addFlags(module);
    addColours(module);
    addMeasures(module);
}

}  // namespace

void registerTextPrimitives(native::TableModule& module) {
    handleTextPart(module);
}

// Every primitive of this part of the wire has its handler.
static_assert(native::handlesAll<native::wire::part::Text>([](auto& m) { handleTextPart(m); }));

}  // namespace limn::sdl
