#pragma once
// The laid-out form of a text field's content: pango layouts stacked top to
// bottom, each holding a run of paragraphs that share one paragraph format
// (one per paragraph where pango can't align them alike: unwrapped text that
// is not left-aligned, or negative leading). Coordinates are pixels in the
// text area, whose origin is the field's top-left corner plus the 2-pixel
// gutter. Drawing shows only the lines inside the cairo clip. When words wrap,
// a paragraph holding a word of more than kLongWord characters wraps at any
// character.
//
// update() redoes the work only when the content's version, the wrap width
// or the wrap flag changed; the pango layouts themselves are reused. Colours
// are not part of the layout: text of one colour is drawn with the cairo
// source colour, text of many run by run, so colour transforms (fades) cost
// no new layout.

#include <pango/pangocairo.h>

#include <cstdint>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/text/TextContent.h"

namespace limn::sdl {

class TextLayout {
public:
    // A paragraph with a word longer than this wraps at any character.
    static constexpr std::size_t kLongWord = 1000;

    struct Line {
        std::size_t begin = 0;  // characters of the content
        std::size_t end = 0;
        double top = 0;
        double height = 0;
        std::size_t block = 0;             // the pango layout that holds it
        bool paragraphEnd = false;         // the last line of its paragraph
        double x = 0;                      // left of the line within its layout
        double baseline = 0;               // in the text area
        PangoLayoutLine* pango = nullptr;  // owned by the block's layout
    };

    TextLayout() = default;
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // `width` is the text area's width, used to wrap and to align. `fallback`
    // formats an empty text.
    void update(const TextContent& content, const TextStyle& fallback, double width, bool wrap);
    // Forces the next update() to lay out again (the fallback format changed).
    void invalidate() { content_ = nullptr; }
    [[nodiscard]] std::uint64_t layouts() const { return layoutCount_; }

    [[nodiscard]] double textWidth() const { return textWidth_; }
    [[nodiscard]] double textHeight() const { return textHeight_; }
    // Widest line plus its paragraph's margins and indent: the width an
    // auto-sized field needs.
    [[nodiscard]] double extentWidth() const { return extentWidth_; }
    [[nodiscard]] const std::vector<Line>& lines() const { return lines_; }
    [[nodiscard]] std::size_t lineOf(std::size_t index) const;

    // The character index nearest to a point (a caret position).
    [[nodiscard]] std::size_t indexAt(double x, double y) const;
    // The caret box before character `index`.
    [[nodiscard]] Bounds caretAt(std::size_t index) const;

    // Draws the text with its colours passed through `color`; characters in
    // [selectBegin, selectEnd) get a highlight behind them.
    void draw(cairo_t* cr, const ColorXf& color, std::size_t selectBegin = 0,
              std::size_t selectEnd = 0);

private:
    struct Block {
        PangoLayout* layout = nullptr;
        std::size_t begin = 0;
        std::size_t end = 0;
        std::vector<int> byteOf;  // character offset in the block -> byte index
        double x = 0;
        double y = 0;
        bool charWrap = false;  // wraps at any character
    };

    void build(const TextContent& content, const TextStyle& fallback);
    // Whether paragraphs of this format can share a pango layout.
    [[nodiscard]] bool groups(const TextStyle& para) const;
    void layBlock(Block& block, const TextContent& content, const TextStyle& fallback);
    PangoAttrList* attributes(const Block& block) const;
    void measure();
    [[nodiscard]] std::size_t charOf(const Block& block, int byteIndex) const;
    [[nodiscard]] const Block* blockAt(double y) const;
    [[nodiscard]] const Block* blockOf(std::size_t index) const;
    void drawRuns(cairo_t* cr, const Line& line, const ColorXf& color) const;
    static void underline(cairo_t* cr, PangoFont* font, double x, double baseline, double width);
    [[nodiscard]] static bool hasLongWord(const TextContent& content,
                                          const TextContent::Paragraph& p);

    std::vector<Block> blocks_;
    std::vector<Line> lines_;
    const TextContent* content_ = nullptr;
    TextStyle fallback_;
    std::uint64_t version_ = 0;
    double width_ = -1;
    bool wrap_ = false;
    bool uniformColour_ = true;
    std::uint32_t colour_ = 0;
    double textWidth_ = 0;
    double textHeight_ = 0;
    double extentWidth_ = 0;
    std::uint64_t layoutCount_ = 0;
};

}  // namespace limn::sdl
