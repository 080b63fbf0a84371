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

namespace limn::text {

class TextField : public display::InteractiveObject {
public:
    RT_DECLARE_CLASS

    // A new native text field, not on the display list.
    TextField();

    // Applies `format` to the characters beginIndex .. endIndex; with the
    // defaults (-1, -1) the backend applies it to the whole text.
    virtual void setTextFormat(const std::shared_ptr<TextFormat>& format,
                               std::optional<int> beginIndex = std::nullopt,
                               std::optional<int> endIndex = std::nullopt);
    [[nodiscard]] virtual std::string limnGetText();
    virtual std::string limnSetText(const std::string& value);
    [[nodiscard]] virtual std::string limnGetHTMLText();
    virtual std::string limnSetHTMLText(const std::string& value);
    [[nodiscard]] virtual int limnGetTextColor();
    virtual int limnSetTextColor(int value);
    [[nodiscard]] virtual bool limnGetSelectable();
    virtual bool limnSetSelectable(bool value);
    // Sent as a bool, true for INPUT; only a true answer reads as INPUT.
    [[nodiscard]] virtual TextFieldType limnGetType();
    virtual TextFieldType limnSetType(TextFieldType value);
    [[nodiscard]] virtual bool limnGetMultiline();
    virtual bool limnSetMultiline(bool value);
    [[nodiscard]] virtual bool limnGetWordWrap();
    virtual bool limnSetWordWrap(bool value);
    // Sent and read as its index.
    [[nodiscard]] virtual TextFieldAutoSize limnGetAutoSize();
    virtual TextFieldAutoSize limnSetAutoSize(TextFieldAutoSize value);
    [[nodiscard]] virtual bool limnGetBorder();
    virtual bool limnSetBorder(bool value);
    [[nodiscard]] virtual int limnGetBorderColor();
    virtual int limnSetBorderColor(int value);
    [[nodiscard]] virtual bool limnGetBackground();
    virtual bool limnSetBackground(bool value);
    [[nodiscard]] virtual int limnGetBackgroundColor();
    virtual int limnSetBackgroundColor(int value);
    [[nodiscard]] virtual double limnGetTextWidth();
    [[nodiscard]] virtual double limnGetTextHeight();
    // A new format on every read, filled by the backend: changing it has no
    // effect until it is set again. The setter hands the object itself to the
    // backend, which copies what it needs.
    [[nodiscard]] virtual std::shared_ptr<TextFormat> limnGetDefTextFormat();
    virtual std::shared_ptr<TextFormat> limnSetDefTextFormat(
        const std::shared_ptr<TextFormat>& format);
    [[nodiscard]] virtual int limnGetMaxScrollV();
    [[nodiscard]] virtual int limnGetMaxScrollH();
    [[nodiscard]] virtual int limnGetBottomScrollV();
    [[nodiscard]] virtual int limnGetScrollH();
    virtual int limnSetScrollH(int value);
    [[nodiscard]] virtual int limnGetScrollV();
    virtual int limnSetScrollV(int value);

private:
    [[nodiscard]] int byNameGetType();
    int byNameSetType(TextFieldType value);
    [[nodiscard]] int byNameGetAutoSize();
    int byNameSetAutoSize(TextFieldAutoSize value);
};

}  // namespace limn::text
