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
template <class P, class V>
void setter(native::TableModule& module, void (*set)(TextFieldNode&, V)) {
    handle<P>(module, [set](TextFieldNode& field, V value) {
        set(field, value);
        field.changed();
    });
}

std::uint32_t rgb(const rt::Dynamic& v, std::uint32_t fallback) {
    return TextPatch::rgbOf(v).value_or(fallback);
}

std::string textOf(const rt::Dynamic& v) {
    return v.isNull() ? "" : v.asString();
}

void addStrings(native::TableModule& m) {
    handle<wire::limn_text_field_get_text>(m, [](TextFieldNode& f) { return f.text(); });
    setter<wire::limn_text_field_set_text>(
        m, +[](TextFieldNode& f, const rt::Dynamic& v) { f.setText(textOf(v)); });
    handle<wire::limn_text_field_get_html_text>(m, [](TextFieldNode& f) { return f.htmlText(); });
    setter<wire::limn_text_field_set_html_text>(
        m, +[](TextFieldNode& f, const rt::Dynamic& v) { f.setHtmlText(textOf(v)); });
}

void addFlags(native::TableModule& m) {
    handle<wire::limn_text_field_get_selectable>(m, [](TextFieldNode& f) { return f.selectable; });
    setter<wire::limn_text_field_set_selectable>(
        m, +[](TextFieldNode& f, bool v) { f.selectable = v; });
    handle<wire::limn_text_field_get_type>(m, [](TextFieldNode& f) { return f.input(); });
    setter<wire::limn_text_field_set_type>(
        m, +[](TextFieldNode& f, bool v) { f.setInput(v); });
    handle<wire::limn_text_field_get_multiline>(m, [](TextFieldNode& f) { return f.multiline(); });
    setter<wire::limn_text_field_set_multiline>(
        m, +[](TextFieldNode& f, bool v) { f.setMultiline(v); });
    handle<wire::limn_text_field_get_word_wrap>(m, [](TextFieldNode& f) { return f.wordWrap(); });
    setter<wire::limn_text_field_set_word_wrap>(
        m, +[](TextFieldNode& f, bool v) { f.setWordWrap(v); });
    handle<wire::limn_text_field_get_auto_size>(m, [](TextFieldNode& f) { return f.autoSize(); });
    setter<wire::limn_text_field_set_auto_size>(
        m, +[](TextFieldNode& f, int v) { f.setAutoSize(v); });
    handle<wire::limn_text_field_get_border>(m, [](TextFieldNode& f) { return f.border; });
    setter<wire::limn_text_field_set_border>(
        m, +[](TextFieldNode& f, bool v) { f.border = v; });
    handle<wire::limn_text_field_get_background>(m, [](TextFieldNode& f) { return f.background; });
    setter<wire::limn_text_field_set_background>(
        m, +[](TextFieldNode& f, bool v) { f.background = v; });
}

void addColours(native::TableModule& m) {
    handle<wire::limn_text_field_get_text_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.textColor()); });
    setter<wire::limn_text_field_set_text_color>(
        m, +[](TextFieldNode& f, const rt::Dynamic& v) { f.setTextColor(rgb(v, 0)); });
    handle<wire::limn_text_field_get_border_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.borderColor); });
    setter<wire::limn_text_field_set_border_color>(
        m, +[](TextFieldNode& f, const rt::Dynamic& v) { f.borderColor = rgb(v, 0); });
    handle<wire::limn_text_field_get_background_color>(
        m, [](TextFieldNode& f) { return static_cast<int>(f.backgroundColor); });
    setter<wire::limn_text_field_set_background_color>(
        m, +[](TextFieldNode& f, const rt::Dynamic& v) { f.backgroundColor = rgb(v, 0xFFFFFF); });
}

void addMeasures(native::TableModule& m) {
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
        m, +[](TextFieldNode& f, int v) { f.setScrollV(v); });
    handle<wire::limn_text_field_get_scroll_h>(m, [](TextFieldNode& f) { return f.scrollH(); });
    setter<wire::limn_text_field_set_scroll_h>(
        m, +[](TextFieldNode& f, int v) { f.setScrollH(v); });
}

void addFormats(native::TableModule& m) {
    handle<wire::limn_text_field_create>(
        m, []() -> rt::Dynamic { return std::make_shared<TextFieldNode>(); });
    handle<wire::limn_text_field_get_def_text_format>(
        m, [](TextFieldNode& f, const rt::Dynamic& into) {
            TextPatch::toRecord(f.defaultFormat(), into);
        });
    handle<wire::limn_text_field_set_def_text_format>(
        m, [](TextFieldNode& f, const rt::Dynamic& format) {
            f.setDefaultFormat(TextPatch::fromRecord(format));
        });
    handle<wire::limn_text_field_set_text_format>(
        m, [](TextFieldNode& f, const rt::Dynamic& format, const rt::Dynamic& begin,
              const rt::Dynamic& end) {
            f.setTextFormat(TextPatch::fromRecord(format), begin.isNull() ? -1 : begin.asInt(),
                            end.isNull() ? -1 : end.asInt());
        });
}

}  // namespace

void registerTextPrimitives(native::TableModule& module) {
    addFormats(module);
    addStrings(module);
    addFlags(module);
    addColours(module);
    addMeasures(module);
}

}  // namespace limn::sdl
