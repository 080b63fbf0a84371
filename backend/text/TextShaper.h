#pragma once
// Shaping and measuring text, one backend each (pango on the desktop, the
// canvas's measureText and fillText in a page). TextLayout cuts a field's
// content into blocks of paragraphs and asks the shaper for one ShapedText a
// block; everything else (which paragraphs share a block, alignment of
// unwrapped text, leading, scrolling, carets and selection) stays in
// TextLayout.
//
// Coordinates of a ShapedText are pixels from the top-left of its block, before
// the block's margins move it. Offsets count characters of the block's text
// (code points), 0 to its size.
//
//   std::unique_ptr<ShapedText> block = textShaper().newText();
//   block->shape(text, runs, fallback, format);
//   for (const ShapedLine& line : block->lines()) ...

#include <memory>
#include <string_view>
#include <vector>

#include "backend/base/Geometry.h"
#include "backend/scene/Canvas.h"
#include "backend/text/TextStyle.h"

namespace limn::sdl {

// Characters [begin, end) of a block in one character format.
struct ShapeRun {
    std::size_t begin = 0;
    std::size_t end = 0;
    TextStyle style;
};

// How a block's lines are made.
struct ShapeFormat {
    // Read during shape() only.
    const TextStyle* paragraph = nullptr;  // the block's own face and size
    const TextStyle* last = nullptr;       // the face of an empty last line, if the block ends so
    double indent = 0;                     // of each paragraph's first line; may be negative
    double spacing = 0;                    // added between lines, >= 0
    double width = -1;                     // lines wrap at this width; < 0: they don't wrap
    bool charWrap = false;                 // wrap at any character, not between words
    bool justify = false;
    TextAlign align = TextAlign::Left;  // within `width` (wrapped lines only)
};

// One line: its characters and its logical box.
struct ShapedLine {
    std::size_t begin = 0;
    std::size_t end = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double baseline = 0;
};

class ShapedText {
public:
    virtual ~ShapedText() = default;

    // Lays out `text` ('\n' ends a paragraph, U+2028 a line) in `runs`, which
    // cover it in order. Replaces what was shaped before.
    virtual void shape(std::u32string_view text, const std::vector<ShapeRun>& runs,
                       const ShapeFormat& format) = 0;

    // The logical box of all lines.
    [[nodiscard]] double width() const { return width_; }
    [[nodiscard]] double height() const { return height_; }
    // At least one line, in order.
    [[nodiscard]] const std::vector<ShapedLine>& lines() const { return lines_; }

    // The offset of the caret position nearest to `x` on line `line`.
    [[nodiscard]] virtual std::size_t offsetAt(std::size_t line, double x) const = 0;
    // The caret before `offset`: x, top and height (its width is 0).
    [[nodiscard]] virtual Bounds caretAt(std::size_t offset) const = 0;
    // The box of the character at `offset`, x0 and x1 (its width may be negative
    // for text written right to left).
    [[nodiscard]] virtual Bounds charAt(std::size_t offset) const = 0;

    // Draws line `line` with its left end at (x, baseline) in the canvas's
    // current coordinates: in `uniform` when given, else each run in its own
    // colour through `color`.
    virtual void drawLine(Canvas& canvas, std::size_t line, double x, double baseline,
                          const Rgba* uniform, const ColorXf& color) const = 0;

protected:
    // What shape() lays out, kept by each shaper.
    std::vector<ShapedLine> lines_;
    double width_ = 0;
    double height_ = 0;
};

class TextShaper {
public:
    virtual ~TextShaper() = default;
    [[nodiscard]] virtual std::unique_ptr<ShapedText> newText() = 0;
};

// The backend's shaper (one definition per backend); program thread only.
TextShaper& textShaper();

}  // namespace limn::sdl
