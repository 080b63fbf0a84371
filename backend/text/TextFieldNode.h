#pragma once
// The native text field: a display object that lays out, draws, scrolls and
// edits formatted text.
//
// The field is a box (100 x 100 pixels when made) in its own coordinates;
// the text sits 2 pixels in from its edges and is clipped to it. Text set as
// a whole takes the default format. Lines scroll vertically by whole lines
// (scrollV counts from 1) and horizontally by pixels (scrollH).
//
// Auto-size (0 centre, 1 left, 2 none, 3 right) fits the box to the text
// after every change: the height always, the width unless words wrap; the
// left edge, the centre or the right edge stays where it was.
//
// An input field takes the keyboard focus when clicked and edits with the
// keys (arrows, home, end, backspace, delete, enter when multiline, shift to
// select, ctrl+A/C/X/V). Every edit made by the user (not by the program)
// sends an etChange (19) record with the field's id to its stage.

#include <cstdint>
#include <string>

#include "backend/scene/SceneNode.h"
#include "backend/text/TextContent.h"
#include "backend/text/TextEditor.h"
#include "backend/text/TextLayout.h"

namespace limn::sdl {

class TextFieldNode final : public SceneNode {
public:
    enum AutoSize { kAutoCenter = 0, kAutoLeft = 1, kAutoNone = 2, kAutoRight = 3 };
    static constexpr int kGutter = 2;
    static constexpr int kChangeEvent = 19;

    TextFieldNode();
    static TextFieldNode* from(const rt::Dynamic& handle) {
        return handle.handleAs<TextFieldNode>();
    }

    [[nodiscard]] std::string text() const { return content_.utf8(); }
    void setText(const std::string& utf8);
    [[nodiscard]] std::string htmlText() const;
    void setHtmlText(const std::string& html);
    [[nodiscard]] const TextContent& content() const { return content_; }

    // The first character's colour (the default format's for an empty text).
    [[nodiscard]] std::uint32_t textColor() const;
    // Colours the whole text and the default format.
    void setTextColor(std::uint32_t rgb);
    [[nodiscard]] const TextStyle& defaultFormat() const { return default_; }
    void setDefaultFormat(const TextPatch& patch);
    // begin < 0: the whole text; end < 0: the one character at begin.
    void setTextFormat(const TextPatch& patch, int begin, int end);

    bool selectable = true;
    [[nodiscard]] bool input() const { return input_; }
    void setInput(bool input);
    [[nodiscard]] bool multiline() const { return multiline_; }
    void setMultiline(bool multiline) { multiline_ = multiline; }
    [[nodiscard]] bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);
    [[nodiscard]] int autoSize() const { return autoSize_; }
    void setAutoSize(int mode);
    bool border = false;
    std::uint32_t borderColor = 0x000000;
    bool background = false;
    std::uint32_t backgroundColor = 0xFFFFFF;

    [[nodiscard]] double boxWidth() const { return boxWidth_; }
    [[nodiscard]] double boxHeight() const { return boxHeight_; }
    [[nodiscard]] double textWidth();
    [[nodiscard]] double textHeight();
    [[nodiscard]] int maxScrollV();
    [[nodiscard]] int maxScrollH();
    [[nodiscard]] int bottomScrollV();
    [[nodiscard]] int scrollV();
    [[nodiscard]] int scrollH();
    void setScrollV(int line);
    void setScrollH(int pixels);

    [[nodiscard]] const TextEditor& editor() const { return editor_; }
    [[nodiscard]] bool focused() const { return focused_; }
    // How many times the text was laid out (to check the cache).
    [[nodiscard]] std::uint64_t layoutCount() const { return layout_.layouts(); }

    void setWidth(double w) override;
    void setHeight(double h) override;
    void drawContent(Canvas& canvas, const RenderState& state) override;
    [[nodiscard]] bool hitContent(double localX, double localY) override;
    [[nodiscard]] Bounds contentBounds() override;
    [[nodiscard]] bool takesKeyboardFocus() const override { return input_; }
    void focusChanged(bool focused) override;
    void keyInput(int keyCode, int charCode, bool down, int flags) override;
    void textInput(const std::string& utf8) override;

private:
    void layOut();
    void contentChanged();
    void userEdited();
    void scrollToCaret();
    void moveVertically(int lines, bool extend);
    void moveToLineEdge(bool end, bool extend);
    void copySelection();
    bool paste();
    [[nodiscard]] std::u32string filtered(std::u32string text) const;

    TextContent content_;
    TextStyle default_;
    TextLayout layout_;
    TextEditor editor_;
    bool input_ = false;
    bool multiline_ = false;
    bool wordWrap_ = false;
    int autoSize_ = kAutoNone;
    double boxWidth_ = 100;
    double boxHeight_ = 100;
    int scrollV_ = 1;
    double scrollH_ = 0;
    bool focused_ = false;
};

}  // namespace limn::sdl
