// The text field primitives: "limn_text_field_*". A text field's handle is
// its TextFieldNode, a display object like any other. Colours are 0xRRGGBB;
// sizes pixels; the type crosses as a bool (true: input); auto-size as its
// index (0 centre, 1 left, 2 none, 3 right).
#include "backend/primitives/Primitives.h"
#include "backend/text/TextFieldNode.h"
#include "backend/text/TextPatch.h"

namespace limn::sdl {

namespace {

using Getter = rt::Dynamic (*)(TextFieldNode&);
using Setter = void (*)(TextFieldNode&, const rt::Dynamic&);

TextFieldNode* fieldOf(rt::Args args) {
    return TextFieldNode::from(arg(args, 0));
}

// Adds "limn_text_field_get_<name>" (1) and, when given, "..._set_<name>" (2).
void property(native::TableModule& module, const std::string& name, Getter get, Setter set) {
    module.add("limn_text_field_get_" + name, 1, [get](rt::Args args) -> rt::Dynamic {
        TextFieldNode* field = fieldOf(args);
        return field ? get(*field) : rt::Dynamic();
    });
    if (!set) return;
    module.add("limn_text_field_set_" + name, 2, [set](rt::Args args) -> rt::Dynamic {
        if (TextFieldNode* field = fieldOf(args)) {
            set(*field, arg(args, 1));
            field->changed();
        }
        return {};
    });
}

std::uint32_t rgb(const rt::Dynamic& v, std::uint32_t fallback) {
    return TextPatch::rgbOf(v).value_or(fallback);
}

rt::Dynamic create(rt::Args) {
    return std::make_shared<TextFieldNode>();
}

rt::Dynamic getDefaultFormat(rt::Args args) {
    if (TextFieldNode* field = fieldOf(args))
        TextPatch::toRecord(field->defaultFormat(), arg(args, 1));
    return {};
}

rt::Dynamic setDefaultFormat(rt::Args args) {
    if (TextFieldNode* field = fieldOf(args))
        field->setDefaultFormat(TextPatch::fromRecord(arg(args, 1)));
    return {};
}

rt::Dynamic setTextFormat(rt::Args args) {
    TextFieldNode* field = fieldOf(args);
    if (!field) return {};
    const rt::Dynamic& begin = arg(args, 2);
    const rt::Dynamic& end = arg(args, 3);
    field->setTextFormat(TextPatch::fromRecord(arg(args, 1)), begin.isNull() ? -1 : begin.asInt(),
                         end.isNull() ? -1 : end.asInt());
    return {};
}

void addProperties(native::TableModule& m) {
    property(
        m, "text", [](TextFieldNode& f) -> rt::Dynamic { return f.text(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setText(v.isNull() ? "" : v.asString()); });
    property(
        m, "html_text", [](TextFieldNode& f) -> rt::Dynamic { return f.htmlText(); },
        [](TextFieldNode& f, const rt::Dynamic& v) {
            f.setHtmlText(v.isNull() ? "" : v.asString());
        });
    property(
        m, "text_color",
        [](TextFieldNode& f) -> rt::Dynamic { return static_cast<int>(f.textColor()); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setTextColor(rgb(v, 0)); });
    property(
        m, "selectable", [](TextFieldNode& f) -> rt::Dynamic { return f.selectable; },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.selectable = v.asBool(); });
    property(
        m, "type", [](TextFieldNode& f) -> rt::Dynamic { return f.input(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setInput(v.asBool()); });
    property(
        m, "multiline", [](TextFieldNode& f) -> rt::Dynamic { return f.multiline(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setMultiline(v.asBool()); });
    property(
        m, "word_wrap", [](TextFieldNode& f) -> rt::Dynamic { return f.wordWrap(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setWordWrap(v.asBool()); });
    property(
        m, "auto_size", [](TextFieldNode& f) -> rt::Dynamic { return f.autoSize(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setAutoSize(v.asInt()); });
    property(
        m, "border", [](TextFieldNode& f) -> rt::Dynamic { return f.border; },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.border = v.asBool(); });
    property(
        m, "border_color",
        [](TextFieldNode& f) -> rt::Dynamic { return static_cast<int>(f.borderColor); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.borderColor = rgb(v, 0); });
    property(
        m, "background", [](TextFieldNode& f) -> rt::Dynamic { return f.background; },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.background = v.asBool(); });
    property(
        m, "background_color",
        [](TextFieldNode& f) -> rt::Dynamic { return static_cast<int>(f.backgroundColor); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.backgroundColor = rgb(v, 0xFFFFFF); });
    property(
        m, "text_width", [](TextFieldNode& f) -> rt::Dynamic { return f.textWidth(); }, nullptr);
    property(
        m, "text_height", [](TextFieldNode& f) -> rt::Dynamic { return f.textHeight(); }, nullptr);
    property(
        m, "max_scroll_v", [](TextFieldNode& f) -> rt::Dynamic { return f.maxScrollV(); }, nullptr);
    property(
        m, "max_scroll_h", [](TextFieldNode& f) -> rt::Dynamic { return f.maxScrollH(); }, nullptr);
    property(
        m, "bottom_scroll_v", [](TextFieldNode& f) -> rt::Dynamic { return f.bottomScrollV(); },
        nullptr);
    property(
        m, "scroll_v", [](TextFieldNode& f) -> rt::Dynamic { return f.scrollV(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setScrollV(v.asInt()); });
    property(
        m, "scroll_h", [](TextFieldNode& f) -> rt::Dynamic { return f.scrollH(); },
        [](TextFieldNode& f, const rt::Dynamic& v) { f.setScrollH(v.asInt()); });
}

}  // namespace

void registerTextPrimitives(native::TableModule& module) {
    module.add("limn_text_field_create", 0, create);
    addProperties(module);
    module.add("limn_text_field_get_def_text_format", 2, getDefaultFormat);
    module.add("limn_text_field_set_def_text_format", 2, setDefaultFormat);
    module.add("limn_text_field_set_text_format", 4, setTextFormat);
}

}  // namespace limn::sdl
