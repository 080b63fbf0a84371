#pragma once
// A display object whose text the backend lays out, renders, edits and
// scrolls. This side keeps nothing: every property read asks the backend and
// every write tells it (one primitive each), and a setter returns the value it
// was given. Every property and its getter and setter are reachable by name;
// by name, `type` and `autoSize` read as their index. Colours are 0xRRGGBB,
// sizes in pixels; a null answer reads as 0, false or "".
//
//   auto score = std::make_shared<TextField>();
//   score->limnSetDefTextFormat(std::make_shared<TextFormat>("NeutraText-Book.otf", 40));
//   score->limnSetText("0 points");

#include <memory>
#include <optional>
#include <string>

#include "framework/display/InteractiveObject.h"
#include "framework/text/TextFieldAutoSize.h"
#include "framework/text/TextFieldType.h"
#include "framework/text/TextFormat.h"

// The properties reached by name and as plain accessors: one list for both.
#define LIMN_TEXT_FIELD_PROPERTIES(RW, RO)     \
    RW(text, Text, const std::string&)         \
    RW(htmlText, HTMLText, const std::string&) \
    RW(textColor, TextColor, int)              \
    RW(selectable, Selectable, bool)           \
    RW(multiline, Multiline, bool)             \
    RW(wordWrap, WordWrap, bool)               \
    RW(border, Border, bool)                   \
    RW(borderColor, BorderColor, int)          \
    RW(background, Background, bool)           \
    RW(backgroundColor, BackgroundColor, int)  \
    RO(textWidth, TextWidth)                   \
    RO(textHeight, TextHeight)                 \
    RO(maxScrollV, MaxScrollV)                 \
    RO(maxScrollH, MaxScrollH)                 \
    RO(bottomScrollV, BottomScrollV)           \
    RW(scrollH, ScrollH, int)                  \
    RW(scrollV, ScrollV, int)

namespace limn::text {

class TextField : public display::InteractiveObject {
public:
    RT_DECLARE_CLASS

    // A new native text field, not on the display list.
    TextField();
    // A field showing `text` in `format` (its default format, so typed text keeps it),
    // sized to the text: TextField::withText("Score: 0", {.font = "DejaVu Sans", .size = 20}).
    [[nodiscard]] static std::shared_ptr<TextField> withText(const std::string& text,
                                                             const TextFormat::Options& format);

    // Applies `format` to the characters beginIndex .. endIndex; with the
    // defaults (-1, -1) the backend applies it to the whole text.
    void setTextFormat(const std::shared_ptr<TextFormat>& format,
                       std::optional<int> beginIndex = std::nullopt,
                       std::optional<int> endIndex = std::nullopt);
    [[nodiscard]] std::string limnGetText() const;
    std::string limnSetText(const std::string& value);
    [[nodiscard]] std::string limnGetHTMLText() const;
    std::string limnSetHTMLText(const std::string& value);
    [[nodiscard]] int limnGetTextColor() const;
    int limnSetTextColor(int value);
    [[nodiscard]] bool limnGetSelectable() const;
    bool limnSetSelectable(bool value);
    // Sent as a bool, true for INPUT; only a true answer reads as INPUT.
    [[nodiscard]] TextFieldType limnGetType() const;
    TextFieldType limnSetType(TextFieldType value);
    [[nodiscard]] bool limnGetMultiline() const;
    bool limnSetMultiline(bool value);
    [[nodiscard]] bool limnGetWordWrap() const;
    bool limnSetWordWrap(bool value);
    // Sent and read as its index.
    [[nodiscard]] TextFieldAutoSize limnGetAutoSize() const;
    TextFieldAutoSize limnSetAutoSize(TextFieldAutoSize value);
    [[nodiscard]] bool limnGetBorder() const;
    bool limnSetBorder(bool value);
    [[nodiscard]] int limnGetBorderColor() const;
    int limnSetBorderColor(int value);
    [[nodiscard]] bool limnGetBackground() const;
    bool limnSetBackground(bool value);
    [[nodiscard]] int limnGetBackgroundColor() const;
    int limnSetBackgroundColor(int value);
    [[nodiscard]] double limnGetTextWidth() const;
    [[nodiscard]] double limnGetTextHeight() const;
    // A new format on every read, filled by the backend: changing it has no
    // effect until it is set again. The setter hands the object itself to the
    // backend, which copies what it needs.
    [[nodiscard]] std::shared_ptr<TextFormat> limnGetDefTextFormat() const;
    std::shared_ptr<TextFormat> limnSetDefTextFormat(const std::shared_ptr<TextFormat>& format);
    [[nodiscard]] int limnGetMaxScrollV() const;
    [[nodiscard]] int limnGetMaxScrollH() const;
    [[nodiscard]] int limnGetBottomScrollV() const;
    [[nodiscard]] int limnGetScrollH() const;
    int limnSetScrollH(int value);
    [[nodiscard]] int limnGetScrollV() const;
    int limnSetScrollV(int value);

    // Plain accessors: text() is limnGetText(), setText(v) is limnSetText(v), and so on.
    LIMN_TEXT_FIELD_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
    [[nodiscard]] TextFieldType type() const { return limnGetType(); }
    void setType(TextFieldType value) { limnSetType(value); }
    [[nodiscard]] TextFieldAutoSize autoSize() const { return limnGetAutoSize(); }
    void setAutoSize(TextFieldAutoSize value) { limnSetAutoSize(value); }
    [[nodiscard]] std::shared_ptr<TextFormat> defaultTextFormat() const {
        return limnGetDefTextFormat();
    }
    void setDefaultTextFormat(const std::shared_ptr<TextFormat>& format) {
        limnSetDefTextFormat(format);
    }

private:
    [[nodiscard]] int byNameGetType() const;
    int byNameSetType(TextFieldType value);
    [[nodiscard]] int byNameGetAutoSize() const;
    int byNameSetAutoSize(TextFieldAutoSize value);
};

}  // namespace limn::text
