#pragma once
// The laid-out form of a text field's content: shaped blocks (TextShaper)
// stacked top to bottom, each holding a run of paragraphs that share one
// paragraph format. What a shaper can't do for a whole run is done per
// paragraph on top of its block: unwrapped text that is centred or
// right-aligned is moved across by its own width, and negative leading moves
// each paragraph up. A block holds at most about kBlockPixels of lines (pango's
// coordinates end near 2 million pixels), so memory and time follow the
// text's size. Coordinates are pixels in the text area, whose origin is the
// field's top-left corner plus the 2-pixel gutter. Drawing shows only the
// lines inside the canvas's clip. When words wrap, a paragraph holding a word
// of more than kLongWord characters wraps at any character, and is cut into
// blocks of at most kBlockPixels (each cut starts a new line).
//
// update() redoes the work only when the content's version, the wrap width
// or the wrap flag changed; the shaped blocks themselves are reused. Colours
// are not part of the layout: text of one colour is drawn in that colour,
// text of many run by run, so colour transforms (fades) cost no new layout.

#include <cstdint>
#include <memory>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/scene/Canvas.h"
#include "backend/text/TextContent.h"
#include "backend/text/TextShaper.h"

namespace limn::sdl {

class TextLayout {
public:
    // A paragraph with a word longer than this wraps at any character.
    static constexpr std::size_t kLongWord = 1000;
    // The most a layout holds, in pixels of lines (or of one line's width).
    static constexpr double kBlockPixels = 1 << 20;

    struct Line {
        std::size_t begin = 0;  // characters of the content
        std::size_t end = 0;
        double top = 0;
        double height = 0;
        std::size_t block = 0;      // the shaped block that holds it
        bool paragraphEnd = false;  // the last line of its paragraph
        double x = 0;               // left of the line within its block
        double baseline = 0;        // in the text area
        std::size_t shaped = 0;     // the line's index in its block
        // Where the line's paragraph sits beyond the layout's own coordinates.
        double dx = 0;
        double dy = 0;
    };

    // With `shareAll` false, paragraphs share a block only where the shaper
    // itself aligns them alike (wrapped or left-aligned text, no negative
    // leading), the others get one each: to check that sharing changes nothing.
    explicit TextLayout(bool shareAll = true) : shareAll_(shareAll) {}
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // `width` is the text area's width, used to wrap and to align. `fallback`
    // formats an empty text.
    void update(const TextContent& content, const TextStyle& fallback, double width, bool wrap);
    // Forces the next update() to lay out again (the fallback format changed).
    void invalidate() { content_ = nullptr; }
    [[nodiscard]] std::uint64_t layouts() const { return layoutCount_; }
    // Shaped blocks in use.
    [[nodiscard]] std::size_t blockCount() const { return blocks_.size(); }

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
    // Drawn in the canvas's current coordinates.
    void draw(Canvas& canvas, const ColorXf& color, std::size_t selectBegin = 0,
              std::size_t selectEnd = 0);

private:
    // A run of whole paragraphs, or a piece of one long paragraph.
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t firstParagraph = 0;
        std::size_t paragraphs = 1;
        bool charWrap = false;   // wraps at any character
        bool continued = false;  // a piece after the first of its paragraph
        bool continues = false;  // a piece before the last of its paragraph
        double cost = 0;         // pixels it may need, at most
    };
    struct Block {
        std::unique_ptr<ShapedText> shaped;
        Span span;
        std::size_t begin = 0;
        std::size_t end = 0;
        double x = 0;
        double y = 0;
    };

    void build(const TextContent& content, const TextStyle& fallback);
    [[nodiscard]] std::vector<Span> spans(const TextContent& content,
                                          const TextStyle& fallback) const;
    void layBlock(Block& block, const TextContent& content, const TextStyle& fallback);
    // Moves the lines [first, end) of one paragraph: alignment when unwrapped, leading.
    void placeParagraph(std::size_t first, std::size_t end, const TextStyle& para, double dy,
                        double width);
    // The paragraph's width as a block is measured: the lines' extents joined.
    [[nodiscard]] double joinedWidth(std::size_t first, std::size_t end) const;
    [[nodiscard]] const Line* lineAt(double y) const;
    [[nodiscard]] std::vector<ShapeRun> runs(const Block& block) const;
    void measure();
    [[nodiscard]] const Block* blockOf(std::size_t index) const;
    [[nodiscard]] static bool hasLongWord(const TextContent& content,
                                          const TextContent::Paragraph& p);

    bool shareAll_ = true;
    std::vector<Block> blocks_;
    std::vector<Line> lines_;
    std::vector<TextContent::Paragraph> paragraphs_;
    std::vector<double> widths_;  // per line, as its block measures it
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
